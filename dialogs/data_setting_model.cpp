#include "dialogs/data_setting_model.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

#include <QStringList>

#include <picojson.h>

#include "config/model_file.h"
#include "protocol/date_time_text.h"
#include "protocol/message.h"
#include "widgets/drawn_name.h"

namespace Zuno {

EditorKind editorKindOf(const std::string& component) {
    static const std::map<std::string, EditorKind> kinds = {
        {"numberEdit", EditorKind::Number},       {"textEdit", EditorKind::Text},
        {"comoboxList", EditorKind::ComboList},   {"checkComboBox", EditorKind::CheckCombo},
        {"dateTimeEdit", EditorKind::DateTime},   {"actionEdit", EditorKind::Action}};
    const auto it = kinds.find(component);
    return it == kinds.end() ? EditorKind::None : it->second;
}

QString editorSuffix(EditorKind kind) {
    switch (kind) {
    case EditorKind::Number: return "_qsp";
    case EditorKind::Text: return "_edt";
    case EditorKind::ComboList: return "_scb";
    case EditorKind::CheckCombo: return "_ccb";
    case EditorKind::DateTime: return "_dte";
    case EditorKind::Action: return "_ace";
    case EditorKind::None: break;
    }
    return QString();
}

PopupKind popupKindOf(const QString& label) {
    if (label == QStringLiteral("终端信息"))
        return PopupKind::TerminalContent;
    if (label == QStringLiteral("告警语言"))
        return PopupKind::AlertAndLang;
    if (label == QStringLiteral("传输模块"))
        return PopupKind::None;
    return PopupKind::DirectionAndStat;
}

namespace {

using Object = picojson::object;

const picojson::value* member(const Object& obj, const char* key) {
    const auto it = obj.find(key);
    return it == obj.end() ? nullptr : &it->second;
}

template <class T>
bool has(const Object& obj, const char* key) {
    const picojson::value* v = member(obj, key);
    return v && v->is<T>();
}

QString textOf(const picojson::value& v) { return QString::fromStdString(v.get<std::string>()); }

// A JSON number's value cut toward zero and held within 64 bits.
qlonglong integerOf(const picojson::value& v) {
    if (v.is<int64_t>())
        return v.get<int64_t>();
    const double d = std::trunc(v.get<double>());
    if (d >= 9223372036854775807.0)
        return std::numeric_limits<qlonglong>::max();
    if (d <= -9223372036854775808.0)
        return std::numeric_limits<qlonglong>::min();
    return static_cast<qlonglong>(d);
}

int low32(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(v)); }

// Items of an inner "data" array; elements without a string "key" and an
// integer "val" are left out.
std::vector<ChoiceItem> innerItems(const Object& source) {
    std::vector<ChoiceItem> items;
    const picojson::value* data = member(source, "data");
    if (!data || !data->is<picojson::array>())
        return items;
    for (const picojson::value& element : data->get<picojson::array>()) {
        if (!element.is<Object>())
            continue;
        const Object& item = element.get<Object>();
        if (!has<std::string>(item, "key") || !has<int64_t>(item, "val"))
            continue;
        items.push_back({textOf(item.at("key")), low32(item.at("val").get<int64_t>())});
    }
    return items;
}

template <class Map>
std::vector<ChoiceItem> tableItems(const Map& table) {
    std::vector<ChoiceItem> items;
    for (const auto& row : table)
        items.push_back({QString::fromStdString(row.second), static_cast<int>(row.first)});
    return items;
}

// The items of a "dataSource", and whether it is an inner list; an absent
// or ill-typed source gives no items.
std::vector<ChoiceItem> sourceItems(const Object& component, const QString& label, bool& inner) {
    inner = false;
    const picojson::value* source = member(component, "dataSource");
    if (!source || !source->is<Object>() || !has<bool>(source->get<Object>(), "inner"))
        return {};
    const Object& src = source->get<Object>();
    inner = src.at("inner").get<bool>();
    if (inner)
        return innerItems(src);
    if (label == QStringLiteral("设备类型"))
        return tableItems(ZunoMSG::deviceTypeNameMap());
    if (label == QStringLiteral("告警类型"))
        return tableItems(ZunoMSG::alarmNameMap());
    return {};
}

void readNumber(const Object& c, ComponentView& view) {
    const picojson::value* value = member(c, "value");
    if (value && value->is<std::string>())
        view.number = textOf(*value).toLongLong(); // 0 when it is no number
    else if (value && value->is<double>())
        view.number = integerOf(*value);
    if (has<std::string>(c, "placeholder")) {
        view.hasSuffix = true;
        view.suffix = textOf(c.at("placeholder"));
    }
    if (has<int64_t>(c, "max")) {
        view.hasMax = true;
        view.max = low32(c.at("max").get<int64_t>());
    }
}

void readText(const Object& c, ComponentView& view) {
    const picojson::value* value = member(c, "value");
    if (value && value->is<std::string>())
        view.text = textOf(*value);
    else if (value && value->is<int64_t>())
        view.text = QString::number(value->get<int64_t>());
    else if (value && value->is<double>())
        view.text = QString::number(value->get<double>(), 'g', 6);
    if (has<std::string>(c, "placeholder")) {
        view.hasPlaceholder = true;
        view.placeholder = textOf(c.at("placeholder"));
    }
    if (has<std::string>(c, "mask")) {
        view.hasMask = true;
        view.mask = textOf(c.at("mask"));
    }
    if (has<int64_t>(c, "maxLength")) {
        // 0 or -1 would empty the field; it means no limit.
        const int64_t limit = c.at("maxLength").get<int64_t>();
        view.maxLength = limit < 1 ? kNoLengthLimit : static_cast<int>(std::min<int64_t>(limit, kNoLengthLimit));
    }
}

QString keysJoined(const std::vector<ChoiceItem>& items, const std::function<bool(const ChoiceItem&)>& take) {
    QStringList keys;
    for (const ChoiceItem& item : items)
        if (take(item))
            keys << item.key;
    return keys.join(", ");
}

// Whether `key` is present with another type than T.
template <class T>
bool wrongType(const Object& obj, const char* key) {
    const picojson::value* v = member(obj, key);
    return v && !v->is<T>();
}

// Whether a shown component breaks the types its kind reads.
bool kindIllTyped(const Object& c, EditorKind kind) {
    switch (kind) {
    case EditorKind::Number:
    case EditorKind::Text:
        return wrongType<double>(c, "value") && wrongType<std::string>(c, "value");
    case EditorKind::ComboList:
    case EditorKind::CheckCombo:
        if (!has<Object>(c, "dataSource") || !has<bool>(c.at("dataSource").get<Object>(), "inner"))
            return true;
        [[fallthrough]];
    case EditorKind::DateTime:
    case EditorKind::Action:
        return wrongType<std::string>(c, "value");
    case EditorKind::None: break;
    }
    return false;
}

// The value text the editor of `view` shows, as a save of it writes it.
QString shownValue(const ComponentView& view, const TextFieldValue& textField) {
    switch (view.kind) {
    case EditorKind::Text: return textField ? textField(view) : view.text.left(view.maxLength);
    case EditorKind::Action: return view.text.left(kActionMaxLength);
    case EditorKind::ComboList:
        return view.current < 0 ? QString() : QString::number(view.items[static_cast<size_t>(view.current)].val);
    case EditorKind::CheckCombo: {
        std::vector<std::pair<int, bool>> ticked;
        for (const ChoiceItem& item : view.items)
            ticked.emplace_back(item.val, item.val >= 0 && item.val <= 7 && (view.checkMask >> item.val & 1));
        return QString::number(checkMaskOf(ticked));
    }
    case EditorKind::DateTime: return dateTimeText(dateTimeOfSeconds(view.seconds));
    case EditorKind::Number: // saved as shown
    case EditorKind::None: break;
    }
    return view.fileValue;
}

ComponentView readComponent(const picojson::value& element, const QDateTime& now, const TextFieldValue& textField,
                            bool& illTyped) {
    ComponentView view;
    if (!element.is<Object>()) {
        illTyped = true;
        return view;
    }
    const Object& c = element.get<Object>();
    if (wrongType<std::string>(c, "label") || wrongType<std::string>(c, "component") ||
        wrongType<bool>(c, "readOnly"))
        illTyped = true;
    if (!has<std::string>(c, "label") || !has<std::string>(c, "component") || !has<bool>(c, "readOnly"))
        return view;
    view.shown = true;
    view.label = textOf(c.at("label"));
    view.kind = editorKindOf(c.at("component").get<std::string>());
    view.readOnly = c.at("readOnly").get<bool>();
    if (kindIllTyped(c, view.kind))
        illTyped = true;
    const QString value = has<std::string>(c, "value") ? textOf(c.at("value")) : QString();
    const bool valueIsText = has<std::string>(c, "value");

    switch (view.kind) {
    case EditorKind::Number: readNumber(c, view); break;
    case EditorKind::Text: readText(c, view); break;
    case EditorKind::ComboList:
        view.items = sourceItems(c, view.label, view.innerList);
        view.current = view.items.empty() ? -1 : 0;
        for (size_t i = 0; valueIsText && i < view.items.size(); ++i)
            if (QString::number(view.items[i].val) == value)
                view.current = static_cast<int>(i);
        break;
    case EditorKind::CheckCombo:
        view.items = sourceItems(c, view.label, view.innerList);
        if (!view.innerList)
            break;
        view.checkMask = static_cast<int>(leadingNumber(value) & 0xFF);
        view.allCheckedText = keysJoined(view.items, [](const ChoiceItem&) { return true; });
        view.checkedText = keysJoined(view.items, [&view](const ChoiceItem& item) {
            return item.val >= 0 && item.val <= 7 && (view.checkMask >> item.val & 1);
        });
        break;
    case EditorKind::DateTime:
        view.seconds = valueIsText ? dateTimeSeconds(value, now) : 0xFFFFFFFFu;
        break;
    case EditorKind::Action: view.text = value; break;
    case EditorKind::None: break;
    }
    if (valueIsText) {
        view.fileValue = value;
        view.keepsFileValue = shownValue(view, textField) != value;
    }
    return view;
}

} // namespace

ModelView readModelView(const std::string& json, const QDateTime& now, const TextFieldValue& textField) {
    ModelView view;
    picojson::value root;
    if (!parseJsonText(json, root) || !root.is<Object>())
        return view;
    const picojson::value* components = member(root.get<Object>(), "components");
    if (!components) {
        view.status = ModelRead::NoComponents;
        return view;
    }
    if (!components->is<picojson::array>())
        return view;
    view.status = ModelRead::Ok;
    for (const picojson::value& element : components->get<picojson::array>())
        view.components.push_back(readComponent(element, now, textField, view.illTyped));
    return view;
}

QString keptValueTip(const QString& fileValue) {
    // A first line without markup keeps the tip plain text.
    return QStringLiteral("未修改时保存文件中的值:\n") +
           (fileValue.isEmpty() ? QStringLiteral("(空)") : drawn::textTip(fileValue));
}

QString keptFieldsMessage(const ModelView& view) {
    QString names;
    std::set<QString> named;
    for (const ComponentView& c : view.components) {
        if (!c.keepsFileValue || !named.insert(c.label).second)
            continue;
        if (!names.isEmpty())
            names += ", ";
        names += c.label.left(drawn::kNameChars + 1);
        if (names.size() > drawn::kNameChars)
            break; // drawn cut from here on
    }
    if (names.isEmpty())
        return QString();
    return QStringLiteral("这些字段无法显示文件中的值, 未修改时保存原值: ") + drawn::name(names);
}

uint32_t dateTimeSeconds(const QString& text, const QDateTime& now) {
    const QDateTime moment = text.isEmpty() ? now : QDateTime::fromString(text, dateTimeFormat());
    if (!moment.isValid())
        return 0xFFFFFFFFu;
    const qint64 seconds = moment.toSecsSinceEpoch();
    return seconds < 0 || seconds > 0xFFFFFFFFll ? 0xFFFFFFFFu : static_cast<uint32_t>(seconds);
}

QDateTime dateTimeOfSeconds(uint32_t seconds) {
    return QDateTime::fromSecsSinceEpoch(static_cast<qint64>(seconds), Qt::LocalTime);
}


qlonglong leadingNumber(const QString& text) {
    int i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    qulonglong magnitude = 0;
    const qulonglong limit = negative ? 9223372036854775808ull : 9223372036854775807ull;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const qulonglong digit = static_cast<qulonglong>(text[i].unicode() - '0');
        if (magnitude > (limit - digit) / 10) {
            magnitude = limit;
            break;
        }
        magnitude = magnitude * 10 + digit;
    }
    if (negative)
        return magnitude == limit ? std::numeric_limits<qlonglong>::min() : -static_cast<qlonglong>(magnitude);
    return static_cast<qlonglong>(magnitude);
}

int checkMaskOf(const std::vector<std::pair<int, bool>>& valAndTicked) {
    int mask = 0;
    for (const auto& item : valAndTicked)
        if (item.second && item.first >= 0 && item.first <= 7)
            mask |= 1 << item.first;
    return mask;
}

TerminalContent terminalContentOfText(const QString& text) {
    return terminalContentOf(static_cast<uint8_t>(text.toShort()));
}

AlertAndLang alertAndLangOfText(const QString& text) { return alertAndLangOf(text.toUShort()); }

DirectionAndStat directionAndStatOfText(const QString& text) {
    return directionAndStatOf(static_cast<uint16_t>(text.toShort()));
}

QString packedText(const TerminalContent& value) { return QString::number(toByte(value)); }
QString packedText(const AlertAndLang& value) { return QString::number(toWord(value)); }
QString packedText(const DirectionAndStat& value) { return QString::number(toWord(value)); }

bool saveModelValues(const std::string& text, const std::map<QString, QString>& values,
                     std::string& out, const std::set<QString>& unchanged) {
    picojson::value root;
    if (!parseJsonText(text, root) || !root.is<Object>())
        return false;
    const Object& doc = root.get<Object>();
    if (!has<std::string>(doc, "cmd") || !has<std::string>(doc, "protocol") ||
        !has<picojson::array>(doc, "components"))
        return false;
    std::map<size_t, std::string> byIndex;
    const picojson::array& components = doc.at("components").get<picojson::array>();
    for (size_t i = 0; i < components.size(); ++i) {
        if (!components[i].is<Object>() || !has<std::string>(components[i].get<Object>(), "label"))
            continue;
        const Object& component = components[i].get<Object>();
        const QString label = textOf(component.at("label"));
        if (unchanged.count(label) && has<std::string>(component, "value"))
            continue;
        const auto value = values.find(label);
        if (value != values.end())
            byIndex[i] = value->second.toStdString();
    }
    return rewriteModelValues(text, byIndex, out);
}

bool saveEditorValues(const std::string& text, const std::vector<EditorValue>& editors, std::string& out) {
    std::map<QString, QString> values;
    std::set<QString> unchanged;
    std::set<QString> changed;
    for (const EditorValue& editor : editors) {
        if (editor.changed) {
            values[editor.label] = editor.text;
            changed.insert(editor.label);
            unchanged.erase(editor.label);
        } else if (!changed.count(editor.label)) {
            values[editor.label] = editor.text;
            unchanged.insert(editor.label);
        }
    }
    return saveModelValues(text, values, out, unchanged);
}

} // namespace Zuno

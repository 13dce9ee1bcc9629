#pragma once
// The message model editor's view of a model file, without widgets: which
// editor each component gets and with what start state, the value texts the
// editors save, the packed values of the bit-field popups, and how a save
// rewrites the file.

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include "protocol/value_types.h"

namespace Zuno {

// The six editor kinds of the "component" key, and None for any other text.
enum class EditorKind { None, Number, Text, ComboList, CheckCombo, DateTime, Action };

EditorKind editorKindOf(const std::string& component);
// The object-name suffix of a kind: "_qsp", "_edt", "_scb", "_ccb", "_dte", "_ace".
QString editorSuffix(EditorKind kind);

// What the button of an actionEdit opens, chosen by the component's label.
enum class PopupKind { TerminalContent, AlertAndLang, None, DirectionAndStat };
PopupKind popupKindOf(const QString& label);

// One item of a drop-down list or check list.
struct ChoiceItem {
    QString key;
    int val = 0;
};

// One element of "components" as the form shows it.
struct ComponentView {
    bool shown = false; // has a string "label" and "component" and a boolean "readOnly"
    QString label;
    EditorKind kind = EditorKind::None;
    bool readOnly = false;

    // Number: start value, optional suffix and upper limit.
    qlonglong number = 0;
    bool hasSuffix = false;
    QString suffix;
    bool hasMax = false;
    int max = 0; // the low 32 bits of "max"

    // Text and Action: the text; Text also its hint, mask and length limit.
    QString text;
    bool hasPlaceholder = false;
    QString placeholder;
    bool hasMask = false;
    QString mask;
    int maxLength = 32; // a "maxLength" below 1 means no limit: kNoLengthLimit

    // ComboList and CheckCombo.
    std::vector<ChoiceItem> items;
    int current = -1;       // ComboList: the item whose code is "value"; 0 when none is
    int checkMask = 0;      // CheckCombo: the bit mask read from "value"
    QString checkedText;    // CheckCombo: keys of the items the mask ticks, joined by ", "
    QString allCheckedText; // CheckCombo: keys of all items joined by ", " (inner lists only)
    bool innerList = false;

    // DateTime: seconds since 1970 UTC.
    uint32_t seconds = 0;

    // The file's "value" when it is a text, and whether the editor cannot
    // show that text as it is (too long for the field, a code the list does
    // not hold, a date beyond the field's range, ...): left alone, the field
    // saves the file's text, not what it shows. A value of another JSON type
    // is saved as shown and never kept.
    QString fileValue;
    bool keepsFileValue = false;
};

enum class ModelRead {
    Broken,       // empty, no JSON, no object, or "components" of another type
    NoComponents, // an object without "components": no form at all
    Ok,
};

struct ModelView {
    ModelRead status = ModelRead::Broken;
    std::vector<ComponentView> components; // one per element, shown or not
    // Some element breaks the format's types (is no object, has a "label",
    // "component" or "readOnly" of another type, a "value" of another type
    // than its kind reads, or a list kind without a usable "dataSource"):
    // the rest of the form still shows, and the editor says the file is faulty.
    bool illTyped = false;
};

// The length limit of a text field without one (that of QLineEdit).
constexpr int kNoLengthLimit = 32767;
// The length limit of an actionEdit's field.
constexpr int kActionMaxLength = 32;

// The value text a textEdit's field holds of its component: the text as the
// field's input mask and length limit leave it (the form gives its own).
using TextFieldValue = std::function<QString(const ComponentView& textEdit)>;

// The form of a model text; "now" is the moment an empty date stands for.
// Without `textField`, a field holds the first maxLength characters of its
// text, and a mask changes nothing.
ModelView readModelView(const std::string& json, const QDateTime& now = QDateTime::currentDateTime(),
                        const TextFieldValue& textField = {});

// The tool tip of a field that keeps the file's value: that value, in lines
// and cut where huge, after a line of its own that makes it plain text.
QString keptValueTip(const QString& fileValue);
// The message naming the fields that keep the file's value, by label, the
// list drawn cut as a name is; empty when none does.
QString keptFieldsMessage(const ModelView& view);

// Seconds since 1970 UTC of a date text "yyyy-MM-dd hh:mm:ss" read as local
// time ("" is `now`); 4294967295 for a text that is no such date or a moment
// outside the unsigned 32-bit range.
uint32_t dateTimeSeconds(const QString& text, const QDateTime& now);
// The moment of such a count, in local time.
QDateTime dateTimeOfSeconds(uint32_t seconds);

// The leading decimal number of a text, after blanks and an optional sign; 0
// when there is none. Saturates at the 64-bit range.
qlonglong leadingNumber(const QString& text);

// The mask of the ticked items whose "val" is a bit number 0 to 7.
int checkMaskOf(const std::vector<std::pair<int, bool>>& valAndTicked);

// The values the popups start from, read from a line edit's text (0 when the
// text is no number of the stated width), and the texts they leave.
TerminalContent terminalContentOfText(const QString& text);  // signed 16-bit, low 8 bits
AlertAndLang alertAndLangOfText(const QString& text);        // unsigned 16-bit
DirectionAndStat directionAndStatOfText(const QString& text); // signed 16-bit
QString packedText(const TerminalContent& value);
QString packedText(const AlertAndLang& value);
QString packedText(const DirectionAndStat& value);

// The model text with the "value" of every component whose "label" is a key
// of `values` set to that text (added where missing); all else is kept. A
// component whose label is in `unchanged` (no editor of it was changed by the
// user) and whose "value" is a text keeps that text exactly as it was read:
// the editor may show it otherwise, or not at all. False, with `out`
// untouched, when the text is no object with string "cmd" and "protocol" and
// an array "components".
bool saveModelValues(const std::string& text, const std::map<QString, QString>& values,
                     std::string& out, const std::set<QString>& unchanged = {});

// The value text of one editor of the form, and whether the user changed it.
struct EditorValue {
    QString label;
    QString text;
    bool changed = false;
};

// saveModelValues with the editors of the form, in the order they were made:
// by label, the last changed editor's text; a label none of whose editors was
// changed keeps the file's value text (its last editor's text stands in where
// the file holds no text).
bool saveEditorValues(const std::string& text, const std::vector<EditorValue>& editors, std::string& out);

} // namespace Zuno

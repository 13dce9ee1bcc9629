#include "dialogs/data_setting_form.h"

#include <algorithm>

#include <QAction>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QStringListModel>
#include <QStyle>

#include "config/base_folder.h"
#include "config/config_file.h"
#include "dialogs/alert_lng_form.h"
#include "dialogs/alert_status_form.h"
#include "dialogs/config_dialog.h"
#include "dialogs/device_status_form.h"
#include "dialogs/list_enter.h"
#include "protocol/date_time_text.h"
#include "ui_data_setting_form.h"
#include "widgets/drawn_name.h"
#include "widgets/fit_size.h"
#include "widgets/qt_check_combo_box.h"
#include "widgets/qt_long_long_spin_box.h"

using namespace Zuno;

namespace {

constexpr int kCheckValueRole = Qt::UserRole + 1;

// Every editor of the form: 120 x 20, growing to 1280 wide; higher when a
// line of its font needs it.
void sizeEditor(QWidget* editor) {
    editor->setFixedSize(120, 20);
    editor->setMaximumSize(1280, 20);
    editor->setMinimumSize(120, 20);
    fitsize::fitHeight(editor);
}

// The text an editor must show whole: a drop-down's longest item, else the
// value as it shows it (a line edit's placeholder while it is empty).
QString widestText(const QWidget* editor) {
    if (auto* box = qobject_cast<const QComboBox*>(editor))
        return box->isEditable() ? box->currentText() : fitsize::widestItem(box);
    if (auto* spin = qobject_cast<const QAbstractSpinBox*>(editor))
        return spin->text();
    if (auto* edit = qobject_cast<const QLineEdit*>(editor))
        return edit->text().isEmpty() && edit->inputMask().isEmpty() ? edit->placeholderText() : edit->displayText();
    return QString();
}

// A textEdit's field: its hint, mask, length limit, text and whether it
// takes typing. The text comes once the limit holds: a text a file made huge
// is cut before it is laid out.
void setUpTextField(QLineEdit* edit, const ComponentView& c) {
    if (c.hasPlaceholder)
        edit->setPlaceholderText(c.placeholder);
    if (c.hasMask)
        edit->setInputMask(c.mask);
    edit->setMaxLength(c.maxLength);
    edit->setText(c.text);
    edit->setReadOnly(c.readOnly);
}

// The value text of a textEdit's field: the text itself (the displayed one
// shows a line break as a blank); with an input mask, its literals and blanks
// are part of the value.
QString textFieldValue(const QLineEdit* edit) {
    return edit->inputMask().isEmpty() ? edit->text() : edit->displayText();
}

// What the field of a textEdit holds of the file's text.
QString textFieldOf(const ComponentView& c) {
    QLineEdit edit;
    setUpTextField(&edit, c);
    return textFieldValue(&edit);
}

// Runs a bit-field popup on the line edit's value; its OK writes back
// through the form's receiveData.
template <class Popup, class Value>
void runPopup(DataSettingForm* form, const Value& value, QLineEdit* edit) {
    auto* popup = new Popup(form, value, edit->objectName());
    QObject::connect(popup, &Popup::sendData, form,
                     QOverload<const Value&, const QString&>::of(&DataSettingForm::receiveData));
    popup->exec();
}

} // namespace

QLabel* makeLabel(QWidget* parent, const QString& text) {
    auto* label = new QLabel(parent);
    // A label from a file shows as it is written, never as markup, and cut
    // where the file made it huge (whole in its tool tip).
    label->setTextFormat(Qt::PlainText);
    label->setText(drawn::name(text));
    label->setToolTip(drawn::nameTip(text));
    // 80 wide, or as wide as a longer text needs.
    label->setFixedSize(80, 20);
    fitsize::widenFor(label, label->text());
    fitsize::fitHeight(label);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QLineEdit* makeLineEdit(QWidget* parent, const QString& text) {
    auto* edit = new QLineEdit(text, parent);
    sizeEditor(edit);
    edit->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return edit;
}

QDateTimeEdit* makeDateTimeEdit(QWidget* parent, const time_t* t) {
    auto* edit = new QDateTimeEdit(QDateTime::currentDateTime(), parent);
    sizeEditor(edit);
    edit->setDisplayFormat(dateTimeFormat());
    edit->setDateTime(dateTimeOfSeconds(static_cast<uint32_t>(*t)));
    return edit;
}

DataSettingForm::DataSettingForm(QWidget* parent, const uint8_t& mode)
    : QDialog(parent), ui(new Ui_DataSettingForm), listModel(nullptr), mode(mode) {
    setAttribute(Qt::WA_DeleteOnClose);
    ui->setupUi(this);
    fitsize::fitToFont(this);
    keepEnterInList(ui->lvProtocol);
    setUpMessageLine(ui->lbMsg);
    const bool replies = mode == 2;
    setWindowTitle(replies ? QStringLiteral("指令回复设置") : QStringLiteral("协议数据设置"));

    const QString folder = replies ? kReplyFolder : kModelFolder;
    entries = scanConfigDir(basePath(folder));
    std::stable_sort(entries.begin(), entries.end(),
                     [](const ProtocolDataModel& a, const ProtocolDataModel& b) { return a.cmd < b.cmd; });
    QStringList names, files;
    for (const ProtocolDataModel& entry : entries) {
        names << entry.cmd.trimmed();
        files << entry.fileName;
    }
    listModel = fillEntryList(ui->lvProtocol, names, files, this);
    fitsize::widenForRows(ui->lvProtocol);
    on_lvProtocol_activated(ui->lvProtocol->currentIndex());
    showMissingFolder(ui->lbMsg, {folder});
}

DataSettingForm::~DataSettingForm() { delete ui; }

void DataSettingForm::clearForm() {
    clearGrid(ui->panel);
    // The next packet shows from its first row.
    ui->scrollArea->verticalScrollBar()->setValue(0);
    ui->scrollArea->horizontalScrollBar()->setValue(0);
    editors.clear();
    changedEditors.clear();
}

void DataSettingForm::on_lvProtocol_activated(const QModelIndex& index) {
    clearForm();
    shownEntry = entryRow(index, entries.size());
    if (shownEntry < 0)
        return;
    const ProtocolDataModel& entry = entries[shownEntry];
    const ConfigText file = readConfigText(entry.absoluteFilePath);
    const QString kept = buildForm(file.text);
    showReadProblem(entry, file, ui->lbMsg);
    if (!kept.isEmpty())
        addMessage(ui->lbMsg, kept, false);
}

QString DataSettingForm::buildForm(const std::string& json) {
    ui->lbMsg->setText(QString());
    const ModelView view = readModelView(json, QDateTime::currentDateTime(), textFieldOf);
    if (view.status == ModelRead::Broken || view.illTyped) {
        const ProtocolDataModel& entry = entries[shownEntry];
        ui->lbMsg->setText(readErrorMessage(entry.cmd, configPathForMessage(entry.absoluteFilePath)));
    }
    if (view.status == ModelRead::Broken || view.status == ModelRead::NoComponents)
        return QString();
    const int n = static_cast<int>(view.components.size());
    for (int i = 0; i < n; ++i) {
        const ComponentView& component = view.components[static_cast<size_t>(i)];
        if (!component.shown)
            continue;
        QLabel* label = makeLabel(ui->scrollAreaWidgetContents, component.label);
        ui->panel->addWidget(label, i / 2, i % 2 == 0 ? 0 : 2);
        if (QWidget* editor = makeEditor(component)) {
            fitsize::widenFor(editor, widestText(editor));
            ui->panel->addWidget(editor, i / 2, i % 2 == 0 ? 1 : 3);
            if (component.keepsFileValue)
                editor->setToolTip(keptValueTip(component.fileValue));
            editors.append({component.label, component.kind, editor});
            watchChanges(editors.back());
        }
    }
    QLabel* filler = makeLabel(ui->scrollAreaWidgetContents, QString());
    filler->setMinimumSize(80, 20);
    filler->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    ui->panel->addWidget(filler, n / 2 + 1, 0);
    // The size this packet needs, 640 x 480 at least, unless the user gave
    // the dialog a size; within the screen, where the fields scroll.
    fitsize::fitToLayout(this, QSize(640, 0));
    return keptFieldsMessage(view);
}

QWidget* DataSettingForm::makeEditor(const ComponentView& c) {
    const QString name = c.label + editorSuffix(c.kind);
    QWidget* fields = ui->scrollAreaWidgetContents;
    switch (c.kind) {
    case EditorKind::Number: {
        auto* box = new QtLongLongSpinBox(fields);
        box->setValue(c.number);
        sizeEditor(box);
        box->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        box->setObjectName(name);
        box->setMinimum(0);
        if (c.hasSuffix)
            box->setSuffix(c.suffix);
        if (c.hasMax)
            box->setMaximum(c.max);
        // Only the text field: the arrows still step the value.
        if (c.readOnly)
            if (auto* field = box->findChild<QLineEdit*>())
                field->setReadOnly(true);
        return box;
    }
    case EditorKind::Text: {
        QLineEdit* edit = makeLineEdit(fields, QString());
        edit->setObjectName(name);
        setUpTextField(edit, c);
        return edit;
    }
    case EditorKind::ComboList: {
        auto* box = new QComboBox(fields);
        sizeEditor(box);
        for (const ChoiceItem& item : c.items)
            box->addItem(item.key, item.val);
        box->setCurrentIndex(c.current);
        box->setObjectName(name);
        box->setEditable(false);
        return box;
    }
    case EditorKind::CheckCombo: {
        auto* box = new QtCheckComboBox(fields);
        sizeEditor(box);
        box->setObjectName(name);
        if (!c.innerList)
            return box;
        auto* model = qobject_cast<QStandardItemModel*>(box->model());
        for (const ChoiceItem& choice : c.items) {
            auto* item = new QStandardItem(choice.key);
            item->setData(Qt::Unchecked, Qt::CheckStateRole);
            item->setData(choice.val, kCheckValueRole);
            item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
            model->appendRow(item);
        }
        box->setAllCheckedText(c.allCheckedText);
        box->updateText();
        // Ticked by bit, not by key text, so that keys holding ", " or
        // shared by two items tick exactly the items of the mask.
        for (int row = 0; row < model->rowCount(); ++row) {
            const int val = c.items[static_cast<size_t>(row)].val;
            if (val >= 0 && val <= 7 && (c.checkMask >> val & 1))
                model->item(row)->setData(Qt::Checked, Qt::CheckStateRole);
        }
        return box;
    }
    case EditorKind::DateTime: {
        const time_t seconds = static_cast<time_t>(c.seconds);
        QDateTimeEdit* edit = makeDateTimeEdit(fields, &seconds);
        edit->setObjectName(name);
        return edit;
    }
    case EditorKind::Action: {
        QLineEdit* edit = makeLineEdit(fields, c.text.left(kActionMaxLength));
        edit->setObjectName(name);
        edit->setMaxLength(kActionMaxLength);
        auto* action = new QAction(style()->standardIcon(QStyle::SP_FileDialogDetailedView), QString(), edit);
        edit->addAction(action, QLineEdit::TrailingPosition);
        switch (popupKindOf(c.label)) {
        case PopupKind::TerminalContent:
            connect(action, &QAction::triggered, edit, [this, edit] { openTerminalContentEditor(edit); });
            break;
        case PopupKind::AlertAndLang:
            connect(action, &QAction::triggered, edit, [this, edit] { openAlertAndLangEditor(edit); });
            break;
        case PopupKind::DirectionAndStat:
            connect(action, &QAction::triggered, edit, [this, edit] { openDirectionAndStatEditor(edit); });
            break;
        case PopupKind::None: break;
        }
        edit->setReadOnly(c.readOnly);
        return edit;
    }
    case EditorKind::None: break;
    }
    return nullptr;
}

void DataSettingForm::watchChanges(const Editor& changing) {
    QWidget* editor = changing.widget.data();
    const QString label = changing.label;
    const auto mark = [this, editor, label] {
        changedEditors.insert(editor);
        // Saved as shown from here on, in every component of its label.
        for (const Editor& other : editors)
            if (other.widget && other.label == label)
                other.widget->setToolTip(QString());
    };
    switch (changing.kind) {
    case EditorKind::Text:
    case EditorKind::Action:
        // Typing and the popups' results alike.
        connect(static_cast<QLineEdit*>(editor), &QLineEdit::textChanged, editor, mark);
        break;
    case EditorKind::ComboList: {
        auto* box = static_cast<QComboBox*>(editor);
        connect(box, QOverload<int>::of(&QComboBox::currentIndexChanged), editor, mark);
        // Picking the item already shown is a choice too: it replaces a value
        // the list does not hold.
        connect(box, QOverload<int>::of(&QComboBox::activated), editor, mark);
        break;
    }
    case EditorKind::CheckCombo:
        connect(static_cast<QComboBox*>(editor)->model(), &QAbstractItemModel::dataChanged, editor, mark);
        break;
    case EditorKind::DateTime:
        connect(static_cast<QDateTimeEdit*>(editor), &QDateTimeEdit::dateTimeChanged, editor, mark);
        break;
    case EditorKind::Number: // always saved: the model's range applies
    case EditorKind::None: break;
    }
}

void DataSettingForm::openTerminalContentEditor(QLineEdit* edit) {
    runPopup<AlertStatusForm>(this, terminalContentOfText(edit->text()), edit);
}

void DataSettingForm::openAlertAndLangEditor(QLineEdit* edit) {
    runPopup<AlertLngForm>(this, alertAndLangOfText(edit->text()), edit);
}

void DataSettingForm::openDirectionAndStatEditor(QLineEdit* edit) {
    runPopup<DeviceStatusForm>(this, directionAndStatOfText(edit->text()), edit);
}

void DataSettingForm::writePacked(const QString& name, const QString& text) {
    for (const Editor& editor : editors) {
        auto* edit = qobject_cast<QLineEdit*>(editor.widget.data());
        if (edit && edit->objectName() == name)
            edit->setText(text);
    }
}

void DataSettingForm::receiveData(const DirectionAndStat& value, const QString& name) {
    writePacked(name, packedText(value));
}

void DataSettingForm::receiveData(const TerminalContent& value, const QString& name) {
    writePacked(name, packedText(value));
}

void DataSettingForm::receiveData(const AlertAndLang& value, const QString& name) {
    writePacked(name, packedText(value));
}

QString DataSettingForm::valueText(const Editor& editor) const {
    QWidget* widget = editor.widget.data();
    switch (editor.kind) {
    case EditorKind::Number: return QString::number(static_cast<QtLongLongSpinBox*>(widget)->value());
    case EditorKind::Text: return textFieldValue(static_cast<QLineEdit*>(widget));
    case EditorKind::ComboList: {
        auto* box = static_cast<QComboBox*>(widget);
        return box->currentIndex() < 0 ? QString() : QString::number(box->currentData().toLongLong());
    }
    case EditorKind::CheckCombo: {
        const QAbstractItemModel* model = static_cast<QtCheckComboBox*>(widget)->model();
        std::vector<std::pair<int, bool>> items;
        for (int row = 0; row < model->rowCount(); ++row) {
            const QModelIndex index = model->index(row, 0);
            items.emplace_back(index.data(kCheckValueRole).toInt(),
                               index.data(Qt::CheckStateRole).toInt() == Qt::Checked);
        }
        return QString::number(checkMaskOf(items));
    }
    case EditorKind::DateTime: return dateTimeText(static_cast<QDateTimeEdit*>(widget)->dateTime());
    case EditorKind::Action: return static_cast<QLineEdit*>(widget)->text();
    case EditorKind::None: break;
    }
    return QString();
}

void DataSettingForm::on_buttonBox_accepted() {
    if (shownEntry < 0)
        return;
    const ProtocolDataModel entry = entries[shownEntry];
    ConfigText file;
    if (!readForSave(entry, file, ui->lbMsg))
        return;

    std::vector<EditorValue> values;
    for (const Editor& editor : editors)
        if (editor.widget)
            values.push_back({editor.label, valueText(editor),
                              editor.kind == EditorKind::Number || changedEditors.contains(editor.widget.data())});

    std::string written;
    const bool rewritten = saveEditorValues(file.text, values, written);
    if (!finishSave(entry, rewritten, written, ui->lbMsg))
        return;
    if (buildCheck) {
        // Saved as asked; the label also says when no message can be made of it.
        const std::string why = buildCheck(entry.cmd.toStdString(), written);
        if (!why.empty())
            ui->lbMsg->setText(ui->lbMsg->text() + QStringLiteral("; 无法生成报文: ") + QString::fromStdString(why));
    }
    if (mode == 2)
        emit signalSendCmd(entry.cmd.toStdString(), written);
    else
        emit signalSendConfigChange(entry);
}

void DataSettingForm::on_buttonBox_rejected() { close(); }

#include "dialogs/task_setting_form.h"

#include <algorithm>

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QScrollBar>
#include <QSpinBox>
#include <QStringListModel>

#include "config/base_folder.h"
#include "config/config_file.h"
#include "config/flow_file.h"
#include "dialogs/config_dialog.h"
#include "dialogs/data_setting_form.h"
#include "dialogs/list_enter.h"
#include "dialogs/task_setting_flow.h"
#include "ui_task_setting_form.h"
#include "widgets/drawn_name.h"
#include "widgets/fit_size.h"

using namespace Zuno;

TaskSettingForm::TaskSettingForm(QWidget* parent)
    : QDialog(parent), ui(new Ui_TaskSettingForm), listModel(nullptr) {
    setAttribute(Qt::WA_DeleteOnClose);
    ui->setupUi(this);
    fitsize::fitToFont(this);
    keepEnterInList(ui->lvProtocol);
    setUpMessageLine(ui->lbMsg);

    entries = scanConfigDir(basePath(kFlowFolder));
    sortFlows(entries);

    QStringList names, files;
    for (const ProtocolDataModel& entry : entries) {
        names << entry.cmd;
        files << entry.fileName;
    }
    listModel = fillEntryList(ui->lvProtocol, names, files, this);
    fitsize::widenForRows(ui->lvProtocol);
    on_lvProtocol_activated(ui->lvProtocol->currentIndex());
    // The flows, and the models whose steps a flow shows.
    showMissingFolder(ui->lbMsg, {kFlowFolder, kModelFolder});
    ui->lvProtocol->setEditTriggers(QAbstractItemView::NoEditTriggers);
}

TaskSettingForm::~TaskSettingForm() { delete ui; }

QLabel* TaskSettingForm::makeLabel(QWidget* parent, const QString& text) { return ::makeLabel(parent, text); }

QCheckBox* TaskSettingForm::makeCheckBox(QWidget* parent, const QString& text, bool checked) {
    auto* box = new QCheckBox(parent);
    box->setText(drawn::name(text));
    box->setToolTip(drawn::nameTip(text));
    box->setChecked(checked);
    box->setFixedSize(90, 20);
    fitsize::widenFor(box, box->text());
    fitsize::fitHeight(box);
    box->setLayoutDirection(Qt::RightToLeft);
    return box;
}

QSpinBox* TaskSettingForm::makeSpinBox(QWidget* parent, const QString& prefix, const int& value,
                                       const QString& suffix) {
    auto* box = new QSpinBox(parent);
    box->setValue(value);
    box->setPrefix(prefix);
    box->setSuffix(suffix);
    box->setFixedSize(120, 20);
    fitsize::fitHeight(box);
    box->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return box;
}

void TaskSettingForm::clearForm() {
    clearGrid(ui->panel);
    // The next flow shows from its first step.
    ui->scrollArea->verticalScrollBar()->setValue(0);
}

void TaskSettingForm::on_lvProtocol_activated(const QModelIndex& index) {
    clearForm();
    shownEntry = entryRow(index, entries.size());
    if (shownEntry < 0)
        return;
    const ConfigText file = readConfigText(entries[shownEntry].absoluteFilePath);
    buildFlow(file.text);
    showReadProblem(entries[shownEntry], file, ui->lbMsg);
}

void TaskSettingForm::buildFlow(const std::string& json) {
    ui->lbMsg->setText(QString());
    const QList<ProtocolDataModel> models = scanConfigDir(basePath(kModelFolder));
    const ProtocolDataModel& entry = entries[shownEntry];
    const FlowFile flow = readFlowText(json, entry.absoluteFilePath);
    if (!flow.object || flow.illTyped)
        ui->lbMsg->setText(readErrorMessage(entry.cmd, configPathForMessage(entry.absoluteFilePath)));
    if (!flow.object)
        return;
    const FlowSteps steps = firstStepOfEachKeyword(flow.steps);
    const std::vector<FlowRow> rows = flowRows(models, entries[shownEntry].protocol, steps);
    int i = 0;
    for (const FlowRow& row : rows) {
        QCheckBox* check = makeCheckBox(ui->scrollAreaWidgetContents, row.cmd, false);
        check->setObjectName(row.cmd + "_ck");
        ui->panel->addWidget(check, i / 2, i % 2 == 0 ? 0 : 2);
        QSpinBox* spin =
            makeSpinBox(ui->scrollAreaWidgetContents, QStringLiteral("发送间隔:"), 1, QStringLiteral("秒"));
        spin->setObjectName(row.cmd + "_sp");
        spin->setRange(kFlowDelayMin, kFlowDelayMax);
        fitsize::widenFor(spin, spin->prefix() + QString::number(kFlowDelayMax) + spin->suffix());
        ui->panel->addWidget(spin, i / 2, i % 2 == 0 ? 1 : 3);
        if (row.login) {
            spin->setRange(0, 0);
            check->setEnabled(false);
            spin->setEnabled(false);
        }
        check->setChecked(row.checked);
        spin->setValue(row.delay);
        ++i;
    }
    QLabel* filler = makeLabel(ui->scrollAreaWidgetContents, QString());
    filler->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    filler->setMinimumSize(80, 20);
    ui->panel->addWidget(filler, i / 2 + 1, 0);
    // Wider than 636 and taller than 400 when the steps need it, within the
    // screen, where the steps scroll.
    fitsize::fitToLayout(this, QSize(636, 400));
}

void TaskSettingForm::on_buttonBox_accepted() {
    if (shownEntry < 0)
        return;
    const ProtocolDataModel flow = entries[shownEntry];
    ConfigText file;
    if (!readForSave(flow, file, ui->lbMsg))
        return;

    // The panel's state, widgets in the order they were made, the later of
    // two pairs for one keyword winning.
    FlowSteps panel;
    const auto stepOf = [&panel](const QString& name, const QString& suffix) -> ProtocolTask* {
        if (!name.endsWith(suffix))
            return nullptr;
        const std::string cmd = name.left(name.size() - suffix.size()).toStdString();
        ProtocolTask& task = panel[cmd];
        task.cmd = cmd;
        return &task;
    };
    for (QCheckBox* check : findChildren<QCheckBox*>())
        if (ProtocolTask* task = stepOf(check->objectName(), "_ck"))
            task->isChecked = check->isChecked();
    for (QSpinBox* spin : findChildren<QSpinBox*>())
        if (ProtocolTask* task = stepOf(spin->objectName(), "_sp"))
            task->delay = static_cast<int16_t>(spin->value());

    std::string written;
    const bool rewritten = rewriteFlowCommands(file.text, panel, written);
    if (!finishSave(flow, rewritten, written, ui->lbMsg))
        return;
    emit signalSendConfigChange(flow);
}

void TaskSettingForm::on_buttonBox_rejected() { close(); }

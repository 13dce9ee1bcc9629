// The editors' sendData, connected by signature to receiveData slots as the
// model editor connects them, reaches the receiver once with the value.
#include <QtTest>

#include "dialogs/alert_lng_form.h"
#include "dialogs/alert_status_form.h"
#include "dialogs/device_status_form.h"
#include "field_dialog_support.h"

class Receiver : public QObject {
    Q_OBJECT
public:
    QStringList got;

public slots:
    void receiveData(const Zuno::DirectionAndStat& v, const QString& name) {
        got << QString("%1 %2").arg(Zuno::toWord(v)).arg(name);
    }
    void receiveData(const Zuno::TerminalContent& v, const QString& name) {
        got << QString("%1 %2").arg(Zuno::toByte(v)).arg(name);
    }
    void receiveData(const Zuno::AlertAndLang& v, const QString& name) {
        got << QString("%1 %2").arg(Zuno::toWord(v)).arg(name);
    }
};

class FieldSignalsTest : public QObject {
    Q_OBJECT

    // Opens the editor, connects it by the two signatures, presses OK.
    template <class Form, class Value>
    QStringList okThrough(const Value& value, const char* signal, const char* slot) {
        QWidget parent;
        Receiver receiver;
        QDialog* form = new Form(&parent, value, "告警语言_ace");
        if (!QObject::connect(form, signal, &receiver, slot)) return {"no connection"};
        form->show();
        QTest::mouseClick(form->findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Ok),
                          Qt::LeftButton);
        return receiver.got;
    }

private slots:
    void connectedBySignature() {
        QCOMPARE((okThrough<DeviceStatusForm>(Zuno::directionAndStatOf(0x3C00 | 90),
                                              SIGNAL(sendData(Zuno::DirectionAndStat const&, QString const&)),
                                              SLOT(receiveData(Zuno::DirectionAndStat const&, QString const&)))),
                 QStringList{"15450 告警语言_ace"});
        QCOMPARE((okThrough<AlertStatusForm>(Zuno::terminalContentOf(0x47),
                                             SIGNAL(sendData(Zuno::TerminalContent const&, QString const&)),
                                             SLOT(receiveData(Zuno::TerminalContent const&, QString const&)))),
                 QStringList{"71 告警语言_ace"});
        QCOMPARE((okThrough<AlertLngForm>(Zuno::alertAndLangOf(0x8301),
                                          SIGNAL(sendData(Zuno::AlertAndLang const&, QString const&)),
                                          SLOT(receiveData(Zuno::AlertAndLang const&, QString const&)))),
                 QStringList{"33537 告警语言_ace"});
    }

};

QTEST_MAIN(FieldSignalsTest)
#include "field_signals_qtest.moc"

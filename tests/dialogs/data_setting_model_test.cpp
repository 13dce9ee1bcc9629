// The message model editor's rules without its window: what each component
// shows, the packed values of the popups and the text a save writes.
#include <gtest/gtest.h>

#include <QTextDocument>

#include "config/model_file.h"
#include "dialogs/data_setting_model.h"
#include "protocol/message.h"
#include "widgets/drawn_name.h"

using namespace Zuno;

namespace {

ComponentView only(const std::string& component, const TextFieldValue& textField = {}) {
    const ModelView view =
        readModelView(R"({"cmd":"C","protocol":"P","components":[)" + component + "]}",
                      QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9)), textField);
    EXPECT_EQ(view.status, ModelRead::Ok);
    return view.components.size() == 1 ? view.components[0] : ComponentView();
}

std::string number(const std::string& extra) {
    return R"({"label":"N","component":"numberEdit","readOnly":false)" + extra + "}";
}

} // namespace

TEST(ModelView, DocumentsThatGiveNoForm) {
    const struct {
        const char* text;
        ModelRead status;
    } rows[] = {{"", ModelRead::Broken},
                {"{\"cmd\":", ModelRead::Broken},
                {"[]", ModelRead::Broken},
                {R"({"cmd":"C","components":{"label":"A"}})", ModelRead::Broken},
                {R"({"cmd":"C","components":[],"n":1e999})", ModelRead::Broken},
                {R"({"cmd":"C","protocol":"P"})", ModelRead::NoComponents},
                {R"({"components":[]})", ModelRead::Ok}};
    for (const auto& row : rows) {
        const ModelView view = readModelView(row.text);
        EXPECT_EQ(view.status, row.status) << row.text;
        EXPECT_TRUE(view.components.empty()) << row.text;
    }
}

TEST(ModelView, ComponentsWithoutTheirKeysKeepTheirPlaceUnshown) {
    const ModelView view = readModelView(R"({"components":[
        {"label":"A","component":"textEdit","readOnly":false,"value":"a"},
        {"label":"B","component":"textEdit","value":"b"},
        {"label":"C","component":"textEdit","readOnly":"false","value":"c"},
        {"label":7,"component":"textEdit","readOnly":false},
        "D",
        {"label":"E","component":"numberEdt","readOnly":true,"value":"5"}]})");
    ASSERT_EQ(view.components.size(), 6u);
    EXPECT_TRUE(view.illTyped); // "false" as a text, 7 as a label, "D" as an element
    EXPECT_TRUE(view.components[0].shown);
    for (int i : {1, 2, 3, 4})
        EXPECT_FALSE(view.components[i].shown) << i;
    EXPECT_TRUE(view.components[5].shown);
    EXPECT_EQ(view.components[5].kind, EditorKind::None);
    EXPECT_EQ(view.components[5].label, "E");
}

TEST(ModelView, WhatMakesAFileIllTyped) {
    const struct {
        const char* component;
        bool illTyped;
    } rows[] = {{R"({"label":"A","component":"textEdit","readOnly":false,"value":"a"})", false},
                {R"({"label":"A","component":"textEdit","value":"a"})", false},
                {R"({"label":"A","component":"numberEdit","readOnly":false,"value":5})", false},
                {R"({"label":"A","component":"numberEdit","readOnly":false,"value":[5]})", true},
                {R"({"label":"A","component":"oops","readOnly":false,"value":[5]})", false},
                {R"({"label":"A","component":"actionEdit","readOnly":false,"value":5})", true},
                {R"({"label":"A","component":"dateTimeEdit","readOnly":false,"value":null})", true},
                {R"({"label":"A","component":"comoboxList","readOnly":false,"value":"1"})", true},
                {R"({"label":"A","component":"checkComboBox","readOnly":false,"value":"1","dataSource":{"data":[]}})", true},
                {R"({"label":"A","component":"checkComboBox","readOnly":false,"value":"1","dataSource":{"inner":false}})", false},
                {R"({"label":"A","component":1,"readOnly":false})", true},
                {R"([1])", true}};
    for (const auto& row : rows) {
        const ModelView view = readModelView(std::string(R"({"components":[)") + row.component + "]}");
        EXPECT_EQ(view.status, ModelRead::Ok);
        EXPECT_EQ(view.illTyped, row.illTyped) << row.component;
    }
}

TEST(ModelView, NumberStartValuesAndLimits) {
    const struct {
        std::string extra;
        qlonglong value;
        bool hasMax;
        int max;
    } rows[] = {{R"(,"value":"999","max":700)", 999, true, 700},
                {R"(,"value":"-5")", -5, false, 0},
                {R"(,"value":"12km")", 0, false, 0},
                {R"(,"value":12)", 12, false, 0},
                {R"(,"value":-12.9)", -12, false, 0},
                {R"(,"value":1e300)", 9223372036854775807LL, false, 0},
                {R"(,"value":99999999999999999999)", 9223372036854775807LL, false, 0},
                {R"(,"value":"9223372036854775808")", 0, false, 0},
                {R"(,"value":true)", 0, false, 0},
                {"", 0, false, 0},
                {R"(,"value":"1","max":4294967296)", 1, true, 0},
                {R"(,"value":"1","max":4294967295)", 1, true, -1},
                {R"(,"value":"1","max":-5)", 1, true, -5},
                {R"(,"value":"1","max":700.5)", 1, false, 0},
                {R"(,"value":"1","max":"700")", 1, false, 0}};
    for (const auto& row : rows) {
        const ComponentView c = only(number(row.extra));
        EXPECT_EQ(c.kind, EditorKind::Number) << row.extra;
        EXPECT_EQ(c.number, row.value) << row.extra;
        EXPECT_EQ(c.hasMax, row.hasMax) << row.extra;
        EXPECT_EQ(c.max, row.max) << row.extra;
    }
    const ComponentView km = only(number(R"(,"value":"5","placeholder":"km\/h")"));
    EXPECT_TRUE(km.hasSuffix);
    EXPECT_EQ(km.suffix, "km/h");
}

TEST(ModelView, TextValuesAndOptions) {
    const struct {
        std::string value;
        QString text;
    } rows[] = {{R"("value":"abc")", "abc"}, {R"("value":42)", "42"}, {R"("value":3.14159265)", "3.14159"},
                {R"("value":null)", ""},     {R"("x":1)", ""}};
    for (const auto& row : rows)
        EXPECT_EQ(only(R"({"label":"T","component":"textEdit","readOnly":true,)" + row.value + "}").text, row.text)
            << row.value;
    const ComponentView t = only(
        R"({"label":"T","component":"textEdit","readOnly":true,"value":"a","placeholder":"hint","mask":"HH:HH","maxLength":5})");
    EXPECT_TRUE(t.readOnly);
    EXPECT_EQ(t.placeholder, "hint");
    EXPECT_EQ(t.mask, "HH:HH");
    EXPECT_EQ(t.maxLength, 5);
    // Below 1 there is no limit: a limit of 0 would empty the field.
    const struct {
        const char* maxLength;
        int limit;
    } limits[] = {{"-1", kNoLengthLimit}, {"-3", kNoLengthLimit}, {"0", kNoLengthLimit},
                  {"1", 1},               {"40000", kNoLengthLimit}, {"\"9\"", 32}};
    for (const auto& row : limits)
        EXPECT_EQ(only(std::string(R"({"label":"T","component":"textEdit","readOnly":true,"maxLength":)") +
                       row.maxLength + "}")
                      .maxLength,
                  row.limit)
            << row.maxLength;
}

TEST(ModelView, DropDownListItemsAndCurrentItem) {
    const char* data = R"("dataSource":{"inner":true,"data":[{"key":"零","val":0},{"key":"three","val":3},
        {"key":"bad","val":1.5},{"val":4},{"key":"big","val":4294967299},{"key":"again","val":3}]})";
    const struct {
        std::string value;
        int current;
    } rows[] = {{R"("value":"3")", 3}, {R"("value":"0")", 0}, {R"("value":"03")", 0},
                {R"("value":"7")", 0}, {R"("value":3)", 0},   {R"("value":"3")", 3}};
    for (const auto& row : rows) {
        const ComponentView c =
            only(std::string(R"({"label":"L","component":"comoboxList","readOnly":false,)") + data + "," + row.value + "}");
        ASSERT_EQ(c.items.size(), 4u);
        EXPECT_EQ(c.items[2].key, "big");
        EXPECT_EQ(c.items[2].val, 3); // the low 32 bits
        EXPECT_EQ(c.current, row.current) << row.value;
    }
    // Built-in tables by label, in code order.
    const ComponentView alarms = only(
        R"({"label":"告警类型","component":"comoboxList","readOnly":false,"value":"255","dataSource":{"inner":false}})");
    const auto table = ZunoMSG::alarmNameMap();
    ASSERT_EQ(alarms.items.size(), table.size());
    EXPECT_EQ(alarms.items.front().key, QString::fromStdString(table.begin()->second));
    EXPECT_EQ(alarms.current, static_cast<int>(table.size()) - 1);
    const ComponentView devices = only(
        R"({"label":"设备类型","component":"comoboxList","readOnly":false,"value":"","dataSource":{"inner":false}})");
    EXPECT_EQ(devices.items.size(), ZunoMSG::deviceTypeNameMap().size());
    for (const char* source : {R"("dataSource":{"inner":false})", R"("dataSource":{"data":[]})", R"("dataSource":[1])", R"("x":0)"}) {
        const ComponentView c =
            only(std::string(R"({"label":"L","component":"comoboxList","readOnly":false,"value":"1",)") + source + "}");
        EXPECT_TRUE(c.items.empty()) << source;
        EXPECT_EQ(c.current, -1) << source;
    }
}

TEST(ModelView, CheckListMaskFromTheLeadingNumber) {
    const char* data = R"("dataSource":{"inner":true,"data":[{"key":"P","val":0},{"key":"Q","val":1},
        {"key":"R","val":2},{"key":"S","val":8},{"key":"T","val":-1}]})";
    const struct {
        const char* value;
        int mask;
        const char* checked;
    } rows[] = {{"5", 5, "P, R"}, {"  +7x", 7, "P, Q, R"}, {"", 0, ""}, {"abc", 0, ""},
                {"256", 0, ""},   {"-1", 255, "P, Q, R"},  {"99999999999999999999", 255, "P, Q, R"}};
    for (const auto& row : rows) {
        const ComponentView c = only(std::string(R"({"label":"K","component":"checkComboBox","readOnly":false,"value":")") +
                                     row.value + "\"," + data + "}");
        EXPECT_EQ(c.checkMask, row.mask) << row.value;
        EXPECT_EQ(c.checkedText, row.checked) << row.value;
        EXPECT_EQ(c.allCheckedText, "P, Q, R, S, T");
    }
    EXPECT_EQ(checkMaskOf({{0, false}, {1, true}, {2, true}, {8, true}, {-1, true}}), 6);
    EXPECT_EQ(checkMaskOf({{7, true}, {7, true}}), 128);
}

TEST(ModelView, DateTimeSeconds) {
    const QDateTime now(QDate(2024, 5, 6), QTime(7, 8, 9), Qt::UTC);
    const struct {
        const char* text;
        uint32_t seconds;
    } rows[] = {{"2020-03-01 08:05:09", 1583049909u}, {"", 1714979289u},
                {"2106-02-07 06:28:15", 4294967295u},  {"2200-01-01 00:00:00", 4294967295u},
                {"1969-12-31 23:59:59", 4294967295u},  {"1970-01-01 00:00:00", 0u},
                {"no date", 4294967295u},              {"2020-02-30 00:00:00", 4294967295u},
                {"2020-03-01 24:00:00", 4294967295u}};
    for (const auto& row : rows)
        EXPECT_EQ(dateTimeSeconds(row.text, now), row.seconds) << row.text; // TZ is UTC under ctest
    EXPECT_EQ(dateTimeOfSeconds(4294967295u).toUTC().toString("yyyy-MM-dd hh:mm:ss"), "2106-02-07 06:28:15");
    EXPECT_EQ(only(R"({"label":"D","component":"dateTimeEdit","readOnly":false,"value":5})").seconds, 4294967295u);
}

TEST(ModelView, PopupsByLabelAndTheirPackedValues) {
    EXPECT_EQ(popupKindOf("终端信息"), PopupKind::TerminalContent);
    EXPECT_EQ(popupKindOf("告警语言"), PopupKind::AlertAndLang);
    EXPECT_EQ(popupKindOf("传输模块"), PopupKind::None);
    EXPECT_EQ(popupKindOf("航向/状态"), PopupKind::DirectionAndStat);

    const AlertAndLang alert = alertAndLangOfText(QString::number(0x83 * 256 + 1));
    EXPECT_EQ(alert.alert, 0x83);
    EXPECT_EQ(alert.language, 1);
    EXPECT_EQ(packedText(alert), "33537");
    EXPECT_EQ(toWord(alertAndLangOfText("65536")), 0);
    EXPECT_EQ(toWord(alertAndLangOfText("-1")), 0);

    EXPECT_EQ(toByte(terminalContentOfText("70")), 70);
    EXPECT_EQ(toByte(terminalContentOfText("-1")), 0xFF);
    EXPECT_EQ(toByte(terminalContentOfText("300")), 300 & 0xFF);
    EXPECT_EQ(toByte(terminalContentOfText("40000")), 0);
    EXPECT_EQ(toByte(terminalContentOfText("x")), 0);

    const DirectionAndStat d = directionAndStatOfText("5222"); // 0x1466
    EXPECT_EQ(d.isLocated, 1);
    EXPECT_EQ(d.latiDirection, 1);
    EXPECT_EQ(d.direction, 0x66);
    EXPECT_EQ(packedText(d), "5222");
    EXPECT_EQ(packedText(directionAndStatOfText("-1")), "16383");
    EXPECT_EQ(packedText(DirectionAndStat{1, 1, 1, 1, 0x7FF}), QString::number(8192 + 4096 + 2048 + 1024 + 1023));
}

// A field whose editor cannot show the file's value text as it is keeps that
// text, and says so; one it shows exactly, or saves as shown, says nothing.
TEST(ModelView, FieldsThatCannotShowTheFilesValue) {
    const std::string list = R"("dataSource":{"inner":true,"data":[{"key":"P","val":0},{"key":"Q","val":1},{"key":"R","val":2}]})";
    const std::string bits = R"("dataSource":{"inner":true,"data":[{"key":"P","val":0},{"key":"Q","val":1},{"key":"R","val":2},{"key":"S","val":8}]})";
    const std::string none = R"("dataSource":{"inner":false})";
    const auto text = [](int length) { return "\"" + std::string(static_cast<size_t>(length), 'x') + "\""; };
    const auto chinese = [](int length) {
        std::string s;
        for (int i = 0; i < length; ++i)
            s += "回";
        return s;
    };
    const struct {
        std::string component; // after "label", "readOnly"
        bool kept;
    } rows[] = {
        // A text field's length limit: below, at, above; the default 32; none.
        {R"("component":"textEdit","maxLength":8,"value":"1234567")", false},
        {R"("component":"textEdit","maxLength":8,"value":"12345678")", false},
        {R"("component":"textEdit","maxLength":8,"value":"123456789")", true},
        {R"("component":"textEdit","value":)" + text(32), false},
        {R"("component":"textEdit","value":)" + text(33), true},
        {R"("component":"textEdit","maxLength":81,"value":")" + chinese(100) + "\"", true},
        {R"("component":"textEdit","maxLength":-1,"value":)" + text(kNoLengthLimit), false},
        {R"("component":"textEdit","maxLength":-1,"value":)" + text(kNoLengthLimit + 1), true},
        // A number, or no value, is saved as the field shows it.
        {R"("component":"textEdit","maxLength":3,"value":12345)", false},
        {R"("component":"textEdit","maxLength":3)", false},
        {R"("component":"textEdit","value":"a\nb")", false},
        // An actionEdit takes 32 characters.
        {R"("component":"actionEdit","value":)" + text(31), false},
        {R"("component":"actionEdit","value":)" + text(32), false},
        {R"("component":"actionEdit","value":)" + text(33), true},
        // A drop-down list shows a code it holds; else its first item, or nothing.
        {R"("component":"comoboxList","value":"1",)" + list, false},
        {R"("component":"comoboxList","value":"7",)" + list, true},
        {R"("component":"comoboxList","value":"01",)" + list, true},
        {R"("component":"comoboxList","value":"",)" + list, true},
        {R"("component":"comoboxList","value":1,)" + list, false},
        {R"("component":"comoboxList",)" + list, false},
        {R"("component":"comoboxList","value":"1",)" + none, true},
        {R"("component":"comoboxList","value":"",)" + none, false},
        // A check list shows the bits its items have, as the number they make.
        {R"("component":"checkComboBox","value":"5",)" + bits, false},
        {R"("component":"checkComboBox","value":"7",)" + bits, false},
        {R"("component":"checkComboBox","value":"0",)" + bits, false},
        {R"("component":"checkComboBox","value":"8",)" + bits, true},
        {R"("component":"checkComboBox","value":"256",)" + bits, true},
        {R"("component":"checkComboBox","value":"+5",)" + bits, true},
        {R"("component":"checkComboBox","value":"",)" + bits, true},
        {R"("component":"checkComboBox","value":"0",)" + none, false},
        {R"("component":"checkComboBox","value":"5",)" + none, true},
        // A date from 1970-01-01 00:00:00 to 2106-02-07 06:28:15 (UTC under ctest).
        {R"("component":"dateTimeEdit","value":"2020-03-01 08:05:09")", false},
        {R"("component":"dateTimeEdit","value":"1970-01-01 00:00:00")", false},
        {R"("component":"dateTimeEdit","value":"1969-12-31 23:59:59")", true},
        {R"("component":"dateTimeEdit","value":"2106-02-07 06:28:15")", false},
        {R"("component":"dateTimeEdit","value":"2106-02-07 06:28:16")", true},
        {R"("component":"dateTimeEdit","value":"2200-01-01 00:00:00")", true},
        {R"("component":"dateTimeEdit","value":"2020-03-01 8:05:09")", true},
        {R"("component":"dateTimeEdit","value":"no date")", true},
        {R"("component":"dateTimeEdit","value":"")", true},
        // Numbers are always saved as shown.
        {R"("component":"numberEdit","value":"999","max":700)", false},
        {R"("component":"numberEdit","value":"-5")", false},
        {R"("component":"numberEdit","value":"12km")", false},
        {R"("component":"numberEdt","value":"12km")", false},
    };
    for (const auto& row : rows) {
        const std::string component = R"({"label":"F","readOnly":false,)" + row.component + "}";
        const ComponentView c = only(component);
        EXPECT_EQ(c.keepsFileValue, row.kept) << row.component.substr(0, 120);
        picojson::value parsed;
        ASSERT_TRUE(parseJsonText(component, parsed));
        const picojson::value& value = parsed.get("value");
        EXPECT_EQ(c.fileValue, value.is<std::string>() ? QString::fromStdString(value.get<std::string>()) : QString());
    }
}

// What a masked field holds is the form's to say: the view compares it.
TEST(ModelView, AMaskedTextIsKeptWhenTheFieldHoldsItOtherwise) {
    std::vector<QString> asked;
    const TextFieldValue field = [&asked](const ComponentView& c) {
        asked.push_back(c.mask);
        return c.text == "1234" ? QString("12-34") : c.text;
    };
    const std::string masked = R"({"label":"F","component":"textEdit","readOnly":false,"mask":"99-99","value":)";
    EXPECT_TRUE(only(masked + R"("1234"})", field).keepsFileValue);
    EXPECT_FALSE(only(masked + R"("12-34"})", field).keepsFileValue);
    EXPECT_EQ(asked, (std::vector<QString>{"99-99", "99-99"}));
    // Without one, the mask changes nothing.
    EXPECT_FALSE(only(masked + R"("1234"})").keepsFileValue);
}

TEST(ModelView, KeptValuesAreNamedAndTheirTipsGiveThem) {
    const ModelView view = readModelView(R"({"components":[
        {"label":"日期","component":"dateTimeEdit","readOnly":false,"value":""},
        {"label":"N","component":"numberEdit","readOnly":false,"value":"-5"},
        {"label":"回复指令","component":"textEdit","readOnly":false,"value":"abc","maxLength":2},
        {"label":"回复指令","component":"textEdit","readOnly":false,"value":"abcd","maxLength":2}]})");
    EXPECT_EQ(keptFieldsMessage(view), "这些字段无法显示文件中的值, 未修改时保存原值: 日期, 回复指令");
    EXPECT_EQ(keptFieldsMessage(readModelView(R"({"components":[]})")), QString());

    // Labels a file made huge: the list is drawn cut, and built no further.
    std::string many = R"({"components":[)";
    for (int i = 0; i < 1000; ++i)
        many += std::string(i ? "," : "") + R"({"label":")" + std::to_string(i) + std::string(1000, 'x') +
                R"(","component":"actionEdit","readOnly":false,"value":")" + std::string(40, '1') + "\"}";
    const QString message = keptFieldsMessage(readModelView(many + "]}"));
    const QString prefix = "这些字段无法显示文件中的值, 未修改时保存原值: ";
    EXPECT_EQ(message, prefix + "0" + QString(drawn::kNameChars - 1, 'x') + "…");

    EXPECT_EQ(keptValueTip("abc"), "未修改时保存文件中的值:\nabc");
    EXPECT_EQ(keptValueTip(""), "未修改时保存文件中的值:\n(空)");
    // Shown as plain text, whatever the value holds.
    EXPECT_FALSE(Qt::mightBeRichText(keptValueTip("<b>bold</b>")));
    const QString huge((1 << 20), 'y');
    EXPECT_EQ(keptValueTip(huge), "未修改时保存文件中的值:\n" + drawn::textTip(huge));
    EXPECT_LT(keptValueTip(huge).size(), drawn::kTipChars + drawn::kTipChars / drawn::kTipLineChars + 32);
}

TEST(ModelSave, ValuesByLabelEverythingElseKept) {
    const std::string text = R"({"protocol":"标准协议","cmd":"GPS12","x":{"k":[1,2]},"components":[
        {"label":"航向/状态","component":"actionEdit","readOnly":false,"value":"1"},
        {"label":"LAC","component":"numberEdit","readOnly":false,"value":"1","max":9,"extra":"kept"},
        {"label":"LAC0","component":"numberEdit","readOnly":false},
        {"label":"LAC","component":"textEdit","value":"2"},
        {"component":"textEdit","value":"no label"},
        {"label":"odd","component":"numberEdt","readOnly":false,"value":"7"},
        "stray"]})";
    std::string out;
    ASSERT_TRUE(saveModelValues(text, {{"航向/状态", "5222"}, {"LAC", "10"}, {"LAC0", "11"}}, out));
    EXPECT_EQ(out, R"({
  "cmd": "GPS12",
  "components": [
    {
      "component": "actionEdit",
      "label": "航向\/状态",
      "readOnly": false,
      "value": "5222"
    },
    {
      "component": "numberEdit",
      "extra": "kept",
      "label": "LAC",
      "max": 9,
      "readOnly": false,
      "value": "10"
    },
    {
      "component": "numberEdit",
      "label": "LAC0",
      "readOnly": false,
      "value": "11"
    },
    {
      "component": "textEdit",
      "label": "LAC",
      "value": "10"
    },
    {
      "component": "textEdit",
      "value": "no label"
    },
    {
      "component": "numberEdt",
      "label": "odd",
      "readOnly": false,
      "value": "7"
    },
    "stray"
  ],
  "protocol": "标准协议",
  "x": {
    "k": [
      1,
      2
    ]
  }
}
)");
    const ModelView back = readModelView(out);
    ASSERT_EQ(back.status, ModelRead::Ok);
    EXPECT_EQ(back.components[0].label, "航向/状态");
    EXPECT_EQ(back.components[0].text, "5222");
}

TEST(ModelSave, RefusesWhatIsNoModel) {
    for (const char* text : {"", "{", "[]", R"({"cmd":"C","protocol":"P"})", R"({"cmd":"C","protocol":"P","components":{}})",
                             R"({"cmd":1,"protocol":"P","components":[]})", R"({"cmd":"C","components":[]})",
                             R"({"cmd":"C","protocol":"P","components":[],"n":-1e999})"}) {
        std::string out = "untouched";
        EXPECT_FALSE(saveModelValues(text, {{"A", "1"}}, out)) << text;
        EXPECT_EQ(out, "untouched");
    }
}

TEST(ModelSave, UnchangedEditorsKeepTheValueTextsAsRead) {
    const std::string text = R"({"cmd":"C","protocol":"P","components":[
        {"label":"list","component":"comoboxList","readOnly":false,"value":"7"},
        {"label":"bits","component":"checkComboBox","readOnly":false,"value":"9"},
        {"label":"date","component":"dateTimeEdit","readOnly":false,"value":"2200-01-01 00:00:00"},
        {"label":"number","component":"textEdit","readOnly":false,"value":12345},
        {"label":"missing","component":"textEdit","readOnly":false},
        {"label":"typed","component":"textEdit","readOnly":false,"value":"a"},
        {"label":"twice","component":"textEdit","readOnly":false,"value":"t1"},
        {"label":"twice","component":"numberEdit","readOnly":false,"value":"t2"}]})";
    const struct {
        const char* name;
        std::vector<EditorValue> editors;
        std::map<std::string, std::string> values; // by label; "twice" holds the last one's
    } rows[] = {
        {"nothing changed",
         {{"list", "1", false}, {"bits", "1", false}, {"date", "2106-02-07 06:28:15", false},
          {"number", "12345", false}, {"missing", "", false}, {"typed", "a", false},
          {"twice", "t1", false}, {"twice", "5", false}},
         // A value that is no text still becomes the editor's text.
         {{"list", "7"}, {"bits", "9"}, {"date", "2200-01-01 00:00:00"}, {"number", "12345"},
          {"missing", ""}, {"typed", "a"}, {"twice", "t2"}}},
        {"changed ones written",
         {{"list", "1", true}, {"bits", "0", true}, {"date", "2020-01-01 00:00:00", true},
          {"number", "12", true}, {"missing", "m", true}, {"typed", "a\nb", true},
          {"twice", "x", true}, {"twice", "t2", false}},
         {{"list", "1"}, {"bits", "0"}, {"date", "2020-01-01 00:00:00"}, {"number", "12"},
          {"missing", "m"}, {"typed", "a\nb"}, {"twice", "x"}}},
        {"the last changed editor of a label",
         {{"twice", "x", true}, {"twice", "y", true}}, {{"twice", "y"}, {"list", "7"}}},
    };
    for (const auto& row : rows) {
        std::string out;
        ASSERT_TRUE(saveEditorValues(text, row.editors, out)) << row.name;
        picojson::value root;
        ASSERT_TRUE(parseJsonText(out, root)) << row.name;
        std::map<std::string, std::string> saved;
        for (const picojson::value& c : root.get("components").get<picojson::array>())
            if (c.get("value").is<std::string>())
                saved[c.get("label").get<std::string>()] = c.get("value").get<std::string>();
        for (const auto& value : row.values)
            EXPECT_EQ(saved[value.first], value.second) << row.name << ": " << value.first;
    }
}


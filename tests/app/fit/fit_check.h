#pragma once
// Whether every control of a window shows its whole text or value, measured
// with the control's own font and the application's style: a control fails
// when its size is below what the font metrics need for its text plus the
// style's frame and indicator space, when it is lower than a line of its font
// plus its frame, when its container cuts it, or when another control covers
// part of it. Editors are judged by Qt's own scrolling: a line edit whose text
// does not fit scrolls it. Inside a scroll area the widget it scrolls is what
// must hold a control whole: a control scrolled out of view is not cut.

#include <algorithm>
#include <utility>
#include <vector>

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStringList>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QTabWidget>
#include <QTextDocument>
#include <QToolButton>

namespace zt {

namespace fit {

inline QString sizeText(const QSize& s) { return QString("%1x%2").arg(s.width()).arg(s.height()); }

inline QString nameOf(const QWidget* w, const QString& text) {
    const QString name = w->objectName().isEmpty() ? QString(w->metaObject()->className()) : w->objectName();
    return text.isEmpty() ? name : QString("%1 \"%2\"").arg(name, text);
}

inline QString shortBy(const QWidget* w, const QString& text, const QSize& need, const QSize& has) {
    return QString("%1: needs %2, has %3").arg(nameOf(w, text), sizeText(need), sizeText(has));
}

// The size the style wants around `contents`, with the option's text left
// empty so that no minimum width for labelled buttons comes in.
template <class Option>
QSize styleSize(const QWidget* w, QStyle::ContentsType type, Option& option, const QSize& contents) {
    return w->style()->sizeFromContents(type, &option, contents, w);
}

inline QSize textSize(const QWidget* w, const QString& text) {
    const QFontMetrics fm = w->fontMetrics();
    return fm.size(Qt::TextShowMnemonic, text).expandedTo(QSize(0, fm.height()));
}

// The height of a button: a line of its font and the style's frame above
// and below it.
inline int buttonHeight(const QWidget* w, const QSize& content) {
    return content.height() + 2 * w->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w);
}

// The height a line edit shows its text in: Qt clips the text to the
// style's contents rectangle less the text margins.
inline int shownLineHeight(const QLineEdit* edit) {
    QStyleOptionFrame o;
    o.initFrom(edit);
    o.rect = edit->rect();
    o.lineWidth = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &o, edit) : 0;
    const QRect r = edit->style()->subElementRect(QStyle::SE_LineEditContents, &o, edit);
    return r.height() - edit->textMargins().top() - edit->textMargins().bottom();
}

// The height a drop-down shows its current text in: its edit field, to
// which the style clips the text.
inline int shownLineHeight(const QComboBox* box) {
    QStyleOptionComboBox o;
    o.initFrom(box);
    o.rect = box->rect();
    o.frame = box->hasFrame();
    o.editable = box->isEditable();
    return box->style()->subControlRect(QStyle::CC_ComboBox, &o, QStyle::SC_ComboBoxEditField, box).height();
}

inline QString lowerThanLine(const QWidget* w, const QString& text, int shown, int line) {
    return QString("%1: shows %2 px of its %3 px high line").arg(nameOf(w, text)).arg(shown).arg(line);
}

inline QString checkNeed(const QWidget* w, const QString& text, const QSize& need) {
    if (w->width() >= need.width() && w->height() >= need.height())
        return QString();
    return shortBy(w, text, need, w->size());
}

inline QString checkLabel(const QLabel* label) {
    const QString text = label->text();
    if (text.isEmpty() || label->wordWrap())
        return QString();
    QSize need;
    if (label->textFormat() == Qt::RichText ||
        (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text))) {
        QTextDocument doc;
        doc.setDefaultFont(label->font());
        doc.setHtml(text);
        doc.setDocumentMargin(0);
        need = doc.size().toSize();
    } else {
        need = label->fontMetrics().size(Qt::TextShowMnemonic | Qt::TextExpandTabs, text);
        need.setHeight(std::max(need.height(), label->fontMetrics().height()));
    }
    const int margin = 2 * label->margin();
    const QSize has = label->contentsRect().size() - QSize(margin, margin);
    if (has.width() >= need.width() && has.height() >= need.height())
        return QString();
    return shortBy(label, text, need, has);
}

inline QString checkButton(QAbstractButton* button) {
    const QString text = button->text();
    if (text.isEmpty())
        return QString();
    const QSize content = textSize(button, text);
    const bool check = qobject_cast<QCheckBox*>(button);
    if (check || qobject_cast<QRadioButton*>(button)) {
        QStyleOptionButton o;
        o.initFrom(button);
        QSize need = styleSize(button, check ? QStyle::CT_CheckBox : QStyle::CT_RadioButton, o, content);
        const int indicator = button->style()->pixelMetric(
            check ? QStyle::PM_IndicatorHeight : QStyle::PM_ExclusiveIndicatorHeight, &o, button);
        need.setHeight(std::max(content.height(), indicator));
        return checkNeed(button, text, need);
    }
    if (auto* push = qobject_cast<QPushButton*>(button)) {
        QStyleOptionButton o;
        o.initFrom(push);
        if (push->autoDefault())
            o.features |= QStyleOptionButton::AutoDefaultButton;
        if (push->isDefault())
            o.features |= QStyleOptionButton::DefaultButton;
        QSize box = content;
        if (!push->icon().isNull())
            box.rwidth() += push->iconSize().width() + 4;
        QSize need = styleSize(push, QStyle::CT_PushButton, o, box);
        need.setHeight(buttonHeight(push, content));
        return checkNeed(push, text, need);
    }
    if (auto* tool = qobject_cast<QToolButton*>(button)) {
        const bool iconOnly = tool->toolButtonStyle() == Qt::ToolButtonIconOnly && !tool->icon().isNull();
        if (iconOnly)
            return QString();
        QStyleOptionToolButton o;
        o.initFrom(tool);
        o.subControls = QStyle::SC_ToolButton;
        o.toolButtonStyle = tool->toolButtonStyle();
        QSize box = content;
        if (!tool->icon().isNull() && tool->toolButtonStyle() == Qt::ToolButtonTextBesideIcon)
            box.rwidth() += tool->iconSize().width() + 4;
        QSize need = styleSize(tool, QStyle::CT_ToolButton, o, box);
        need.setHeight(buttonHeight(tool, content));
        return checkNeed(tool, text, need);
    }
    return QString();
}

// A line edit shows its whole text when moving the cursor from its start to
// its end does not scroll it. `owner` is the control named in the report
// (a spin box or combo box for their inner editor).
inline QString checkLineEdit(QLineEdit* edit, QWidget* owner) {
    QString text = edit->displayText();
    const bool placeholder = text.isEmpty() && !edit->placeholderText().isEmpty() && edit->inputMask().isEmpty();
    const QString saved = edit->text();
    const int cursor = edit->cursorPosition();
    const QSignalBlocker block(edit);
    if (placeholder) {
        text = edit->placeholderText();
        edit->setText(text);
    }
    QString problem;
    const QFontMetrics fm = edit->fontMetrics();
    if (shownLineHeight(edit) < fm.height())
        problem = lowerThanLine(owner, text, shownLineHeight(edit), fm.height());
    if (!text.isEmpty() && problem.isEmpty()) {
        edit->setCursorPosition(0);
        edit->repaint();
        const int start = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
        edit->setCursorPosition(edit->displayText().size());
        edit->repaint();
        const int shown = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x() - start;
        const int width = fm.horizontalAdvance(edit->displayText());
        if (shown + 1 < width)
            problem = QString("%1: shows %2 of its %3 px of text").arg(nameOf(owner, text)).arg(shown).arg(width);
    }
    if (placeholder)
        edit->setText(saved);
    edit->setCursorPosition(cursor);
    return problem;
}

inline QString checkCombo(QComboBox* box) {
    if (box->isEditable() && box->lineEdit())
        return checkLineEdit(box->lineEdit(), box);
    const QString text = box->currentText();
    QStyleOptionComboBox o;
    o.initFrom(box);
    o.frame = box->hasFrame();
    o.editable = false;
    QSize content = textSize(box, text);
    if (!box->itemIcon(box->currentIndex()).isNull())
        content.rwidth() += box->iconSize().width() + 4;
    QSize need = styleSize(box, QStyle::CT_ComboBox, o, content);
    need.setHeight(0);
    if (shownLineHeight(box) < content.height())
        return lowerThanLine(box, text, shownLineHeight(box), content.height());
    return checkNeed(box, text, need);
}

inline QString checkGroupBox(const QGroupBox* box) {
    if (box->title().isEmpty())
        return QString();
    QStyleOptionGroupBox o;
    o.initFrom(box);
    o.text = box->title();
    o.lineWidth = 1;
    o.textAlignment = box->alignment();
    o.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    if (box->isCheckable())
        o.subControls |= QStyle::SC_GroupBoxCheckBox;
    const QRect label = box->style()->subControlRect(QStyle::CC_GroupBox, &o, QStyle::SC_GroupBoxLabel, box);
    const QSize need = box->fontMetrics().size(Qt::TextShowMnemonic, box->title());
    if (box->rect().contains(label) && label.width() >= need.width())
        return QString();
    return QString("%1: title needs %2 at %3,%4, box is %5")
        .arg(nameOf(box, box->title()), sizeText(need))
        .arg(label.x())
        .arg(label.y())
        .arg(sizeText(box->size()));
}

// A tab bar fits when it shows every tab at its full size, with no scroll
// arrows and no elided text.
inline QString checkTabBar(QTabBar* bar) {
    QStringList tabs;
    for (int i = 0; i < bar->count(); ++i)
        tabs << bar->tabText(i);
    const QWidget* owner = qobject_cast<QTabWidget*>(bar->parentWidget()) ? bar->parentWidget() : bar;
    bool arrows = false;
    for (const QToolButton* b : bar->findChildren<QToolButton*>(QString(), Qt::FindDirectChildrenOnly))
        arrows = arrows || b->isVisible();
    const QSize need = bar->sizeHint();
    const bool fits = bar->shape() == QTabBar::RoundedNorth || bar->shape() == QTabBar::RoundedSouth ||
                              bar->shape() == QTabBar::TriangularNorth || bar->shape() == QTabBar::TriangularSouth
                          ? need.width() <= bar->width()
                          : need.height() <= bar->height();
    if (fits && !arrows)
        return QString();
    return QString("%1 tabs: need %2, have %3%4")
        .arg(nameOf(owner, tabs.join("|")), sizeText(need), sizeText(bar->size()), arrows ? ", scroll arrows" : "");
}

// A list shows each of its rows whole: no row is wider than the list's
// visible area.
inline QString checkRows(const QAbstractItemView* view) {
    const QAbstractItemModel* model = view->model();
    if (!model)
        return QString();
    const int shown = view->viewport()->width();
    QStringList cut;
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex index = model->index(row, 0);
        if (view->sizeHintForIndex(index).width() > shown)
            cut << index.data().toString().replace('\t', ' ');
    }
    if (cut.isEmpty())
        return QString();
    return QString("%1: rows wider than its %2 px: %3").arg(nameOf(view, QString())).arg(shown).arg(cut.join(", "));
}

inline bool isInnerEditor(const QWidget* w) {
    const QWidget* p = w->parentWidget();
    return qobject_cast<const QLineEdit*>(w) &&
           (qobject_cast<const QAbstractSpinBox*>(p) || qobject_cast<const QComboBox*>(p));
}

inline QString textOf(const QWidget* w) {
    if (auto* l = qobject_cast<const QLabel*>(w))
        return l->text();
    if (auto* b = qobject_cast<const QAbstractButton*>(w))
        return b->text();
    if (auto* c = qobject_cast<const QComboBox*>(w))
        return c->currentText();
    if (auto* e = qobject_cast<const QLineEdit*>(w))
        return e->displayText();
    if (auto* s = qobject_cast<const QAbstractSpinBox*>(w))
        return s->text();
    if (auto* g = qobject_cast<const QGroupBox*>(w))
        return g->title();
    return QString();
}

// The controls the check looks at: those that show a text or a value.
inline bool isControl(const QWidget* w) {
    if (isInnerEditor(w))
        return false;
    return qobject_cast<const QLabel*>(w) || qobject_cast<const QAbstractButton*>(w) ||
           qobject_cast<const QComboBox*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QGroupBox*>(w);
}

inline QString checkOne(QWidget* w) {
    if (auto* l = qobject_cast<QLabel*>(w))
        return checkLabel(l);
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return checkButton(b);
    if (auto* c = qobject_cast<QComboBox*>(w))
        return checkCombo(c);
    if (auto* s = qobject_cast<QAbstractSpinBox*>(w)) {
        if (auto* edit = s->findChild<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly))
            return checkLineEdit(edit, s);
        return QString();
    }
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return checkLineEdit(e, e);
    if (auto* g = qobject_cast<QGroupBox*>(w))
        return checkGroupBox(g);
    return QString();
}

// The innermost scroll area that holds `w`, if any.
inline QScrollArea* scrollAreaOf(const QWidget* w) {
    for (QWidget* p = w->parentWidget(); p && !p->isWindow(); p = p->parentWidget())
        if (auto* area = qobject_cast<QScrollArea*>(p))
            return area->widget() && area->widget()->isAncestorOf(w) ? area : nullptr;
    return nullptr;
}

// A control that its parents do not show whole (pushed past the edge of
// its window or group box, or of the widget a scroll area scrolls).
inline QString checkClipped(const QWidget* w) {
    QRect shown;
    if (const QScrollArea* area = scrollAreaOf(w)) {
        shown = w->rect();
        for (const QWidget* c = w; c != area->widget(); c = c->parentWidget())
            shown = shown.translated(c->pos()) & c->parentWidget()->rect();
        shown.translate(-w->mapTo(area->widget(), QPoint()));
    } else {
        shown = w->visibleRegion().boundingRect();
    }
    if (shown == w->rect())
        return QString();
    return QString("%1: cut by its container, %2 of %3 shown")
        .arg(nameOf(w, textOf(w)), sizeText(shown.size()), sizeText(w->size()));
}

// Controls with a text that overlap a sibling control with a text.
inline void checkOverlaps(const QList<QWidget*>& controls, QStringList& out) {
    for (int i = 0; i < controls.size(); ++i)
        for (int j = i + 1; j < controls.size(); ++j) {
            const QWidget* a = controls[i];
            const QWidget* b = controls[j];
            if (a->parentWidget() != b->parentWidget() || textOf(a).isEmpty() || textOf(b).isEmpty())
                continue;
            if (a->geometry().intersects(b->geometry()))
                out << QString("%1 and %2 overlap").arg(nameOf(a, textOf(a)), nameOf(b, textOf(b)));
        }
}

inline void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QCoreApplication::processEvents();
}

inline void checkShown(QWidget* window, QStringList& out) {
    settle();
    QList<QWidget*> controls;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisible() || w->window() != window)
            continue;
        if (auto* bar = qobject_cast<QTabBar*>(w)) {
            const QString problem = checkTabBar(bar);
            if (!problem.isEmpty())
                out << problem;
            continue;
        }
        if (auto* view = qobject_cast<QAbstractItemView*>(w)) {
            for (const QString& problem : {checkRows(view), checkClipped(view)})
                if (!problem.isEmpty())
                    out << problem;
            continue;
        }
        if (!isControl(w) || qobject_cast<QTabBar*>(w->parentWidget()))
            continue;
        controls << w;
        // An editor is measured as it paints: in view.
        if (QScrollArea* area = scrollAreaOf(w))
            area->ensureWidgetVisible(w, 0, 0);
        for (const QString& problem : {checkOne(w), checkClipped(w)})
            if (!problem.isEmpty())
                out << problem;
    }
    checkOverlaps(controls, out);
}

} // namespace fit

// One line for each control of `window` that does not show its whole text or
// value, every page of its tab widgets included; empty when all fit.
inline QStringList unfitControls(QWidget* window) {
    QStringList out;
    // Scrolled back to where they were once all is measured.
    std::vector<std::pair<QScrollBar*, int>> scrolled;
    for (QScrollArea* area : window->findChildren<QScrollArea*>())
        for (QScrollBar* bar : {area->horizontalScrollBar(), area->verticalScrollBar()})
            scrolled.emplace_back(bar, bar->value());
    fit::checkShown(window, out);
    for (QTabWidget* tabs : window->findChildren<QTabWidget*>()) {
        const int current = tabs->currentIndex();
        for (int i = 0; i < tabs->count(); ++i) {
            if (i == current)
                continue;
            tabs->setCurrentIndex(i);
            fit::checkShown(window, out);
        }
        tabs->setCurrentIndex(current);
    }
    for (const auto& [bar, value] : scrolled)
        bar->setValue(value);
    fit::settle();
    out.removeDuplicates();
    return out;
}

} // namespace zt

#include "widgets/fit_size.h"

#include "widgets/elided_label.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QString>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QStyleOptionSpinBox>
#include <QTabWidget>
#include <QVariant>
#include <QWidget>

#include <vector>

namespace fitsize {

namespace {

// A line edit keeps this margin on each side of its text.
constexpr int kLineEditMargin = 2;
// Room for the text cursor behind the last character and for the rounding of
// the text's width.
constexpr int kCursorRoom = 3;

// Room left above a window for the title bar the window manager puts on it.
constexpr int kTitleBarRoom = 40;

// The available size tests assume for every screen; empty: each screen's own.
QSize& assumedAvailable() {
    static QSize size;
    return size;
}

// What a spin box adds around its edit field: frame and buttons.
int spinBoxChrome(const QAbstractSpinBox* box) {
    QStyleOptionSpinBox option;
    option.initFrom(box);
    option.rect = QRect(0, 0, 1000, box->height());
    option.frame = box->hasFrame();
    option.buttonSymbols = box->buttonSymbols();
    option.subControls = QStyle::SC_SpinBoxFrame | QStyle::SC_SpinBoxEditField;
    if (box->buttonSymbols() != QAbstractSpinBox::NoButtons)
        option.subControls |= QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown;
    const QRect field = box->style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxEditField, box);
    return option.rect.width() - field.width();
}

// What a line edit adds around its text: frame, margins and the buttons of
// its actions. Its size hint is seventeen "x" wide plus all of these.
int lineEditChrome(const QLineEdit* edit) {
    return edit->sizeHint().width() - 17 * edit->fontMetrics().horizontalAdvance(QLatin1Char('x'));
}

int comboBoxWidth(const QComboBox* box, int textWidth) {
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.editable = box->isEditable();
    option.frame = box->hasFrame();
    if (box->isEditable())
        textWidth += 2 * kLineEditMargin + kCursorRoom;
    const QSize contents(textWidth, box->fontMetrics().height());
    return box->style()->sizeFromContents(QStyle::CT_ComboBox, &option, contents, box).width();
}

// The height of an editor's text field when the editor is `height` high.
int fieldHeight(const QWidget* control, int height) {
    const QRect rect(0, 0, qMax(control->width(), 200), height);
    QStyle* style = control->style();
    if (auto* box = qobject_cast<const QAbstractSpinBox*>(control)) {
        QStyleOptionSpinBox option;
        option.initFrom(box);
        option.rect = rect;
        option.frame = box->hasFrame();
        option.buttonSymbols = box->buttonSymbols();
        option.subControls = QStyle::SC_SpinBoxFrame | QStyle::SC_SpinBoxEditField;
        if (box->buttonSymbols() != QAbstractSpinBox::NoButtons)
            option.subControls |= QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown;
        return style->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxEditField, box).height();
    }
    if (auto* box = qobject_cast<const QComboBox*>(control)) {
        QStyleOptionComboBox option;
        option.initFrom(box);
        option.rect = rect;
        option.editable = box->isEditable();
        option.frame = box->hasFrame();
        return style->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box).height();
    }
    auto* edit = qobject_cast<const QLineEdit*>(control);
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.rect = rect;
    option.lineWidth = edit->hasFrame() ? style->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit) : 0;
    const QMargins margins = edit->textMargins();
    return style->subElementRect(QStyle::SE_LineEditContents, &option, edit).height() - margins.top() -
           margins.bottom();
}

// Whether `w` shows a text or value that fitToFont fits.
bool isControl(const QWidget* w) {
    return qobject_cast<const QLabel*>(w) || qobject_cast<const QAbstractButton*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QLineEdit*>(w);
}

// The inner editor of a spin box or combo box, which follows its owner.
bool isInnerEditor(const QWidget* w) {
    const QWidget* p = w->parentWidget();
    return qobject_cast<const QLineEdit*>(w) &&
           (qobject_cast<const QAbstractSpinBox*>(p) || qobject_cast<const QComboBox*>(p));
}

// The widest text a control of a form shows: the text of a label, check box
// or radio button, a drop-down's longest item, a spin box's widest value.
// Empty for controls whose width their window sets.
QString widestText(const QWidget* w) {
    // An elided label makes do with the room it is given.
    if (qobject_cast<const ElidedLabel*>(w))
        return QString();
    if (auto* label = qobject_cast<const QLabel*>(w))
        return label->wordWrap() ? QString() : label->text();
    if (qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w))
        return static_cast<const QAbstractButton*>(w)->text();
    if (auto* box = qobject_cast<const QComboBox*>(w))
        return box->isEditable() ? QString() : widestItem(box);
    if (auto* box = qobject_cast<const QSpinBox*>(w)) {
        const QString low = QString::number(box->minimum());
        const QString high = QString::number(box->maximum());
        return box->prefix() + (high.size() >= low.size() ? high : low) + box->suffix();
    }
    return QString();
}

// A layout keeps the sizes of the layouts inside it until it is told they
// changed.
void invalidateLayouts(QWidget* window) {
    for (QLayout* inner : window->findChildren<QLayout*>())
        inner->invalidate();
    if (QLayout* layout = window->layout())
        layout->invalidate();
}

// Raises the minimum width of `control` to `need`, as widenFor does.
void widenTo(QWidget* control, int need) {
    if (control->minimumWidth() == control->maximumWidth()) {
        if (need > control->maximumWidth())
            control->setFixedWidth(need);
    } else if (need > control->minimumWidth()) {
        control->setMinimumWidth(qMin(need, control->maximumWidth()));
    }
}

// The size the layout of `window` needs with each of its scroll areas
// showing all it holds, their scroll bars included where they may show: a
// vertical one always, since any line taken from the window's height later
// (a message that wraps, the user's resize) brings it on, and what it takes
// from the width must not make the contents scroll sideways; a horizontal
// one where the size is beyond `room`. The scroll areas keep their own
// minimum size.
QSize wholeSize(QWidget* window, QLayout* layout, const QSize& room) {
    struct Area {
        QScrollArea* area;
        QSize least;
    };
    std::vector<Area> areas;
    for (QScrollArea* area : window->findChildren<QScrollArea*>())
        if (area->widget() && area->window() == window)
            areas.push_back({area, area->minimumSize()});
    if (areas.empty())
        return layout->totalMinimumSize();
    const auto measure = [&](bool vertical, bool horizontal) {
        for (const Area& a : areas) {
            const QWidget* content = a.area->widget();
            const int frame = 2 * a.area->frameWidth();
            QSize shown = content->minimumSizeHint().expandedTo(content->minimumSize()) + QSize(frame, frame);
            if (vertical && a.area->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff)
                shown.rwidth() += a.area->verticalScrollBar()->sizeHint().width();
            if (horizontal && a.area->horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff)
                shown.rheight() += a.area->horizontalScrollBar()->sizeHint().height();
            a.area->setMinimumSize(a.least.expandedTo(shown));
        }
        invalidateLayouts(window);
        return layout->totalMinimumSize();
    };
    QSize whole = measure(true, false);
    if (whole.width() > room.width())
        whole = measure(true, true);
    for (const Area& a : areas)
        a.area->setMinimumSize(a.least);
    invalidateLayouts(window);
    return whole;
}

void growNow(QWidget* window, const QSize& least, bool fit) {
    QLayout* layout = window->layout();
    if (!layout)
        return;
    window->ensurePolished();
    invalidateLayouts(window);
    // All the window holds in view where the screen has room for it; what
    // does not scroll is never squeezed.
    const QSize room = screenRoom(window);
    const QSize need =
        least.expandedTo(wholeSize(window, layout, room)).boundedTo(room).expandedTo(layout->totalMinimumSize());
    // The size the window is fitted from, at first the size it opened at,
    // and the size it was last given here. Another size is the user's, from
    // which it is fitted from then on (a size the layout grew it to, as
    // widgets were just added, is not).
    static const char* const kBase = "fitsize.base";
    static const char* const kFitted = "fitsize.fitted";
    const QSize before = window->size();
    if (fit && !window->property(kBase).isValid())
        window->setProperty(kBase, before.boundedTo(room));
    window->setMaximumSize(window->maximumSize().expandedTo(need));
    window->setMinimumSize(need);
    if (!fit) {
        // Larger where the layout needs it, within the screen where it opened larger.
        const QSize size = before.expandedTo(need).boundedTo(room.expandedTo(need));
        if (size != before)
            window->resize(size);
        return;
    }
    const QVariant fitted = window->property(kFitted);
    if (fitted.isValid() && before.expandedTo(need) != fitted.toSize().expandedTo(need))
        window->setProperty(kBase, before);
    const QSize size = need.expandedTo(window->property(kBase).toSize());
    window->resize(size);
    window->setProperty(kFitted, size);
}

void growLater(QWidget* window, const QSize& least, bool fit) {
    if (window->isVisible()) {
        // Widgets just added to a window on show appear on the next turn of
        // the event loop; until then its layout leaves them out.
        QMetaObject::invokeMethod(
            window, [window, least, fit] { growNow(window, least, fit); }, Qt::QueuedConnection);
        return;
    }
    growNow(window, least, fit);
}

} // namespace

int widthForText(const QWidget* control, const QString& text) {
    const int textWidth = control->fontMetrics().horizontalAdvance(text);
    if (auto* box = qobject_cast<const QAbstractSpinBox*>(control))
        return textWidth + 2 * kLineEditMargin + kCursorRoom + spinBoxChrome(box);
    if (auto* edit = qobject_cast<const QLineEdit*>(control))
        return textWidth + kCursorRoom + lineEditChrome(edit);
    if (auto* box = qobject_cast<const QComboBox*>(control))
        return comboBoxWidth(box, textWidth);
    return control->sizeHint().width();
}

void widenFor(QWidget* control, const QString& text) { widenTo(control, widthForText(control, text)); }

QSize screenRoom(const QWidget* window) {
    QSize available = assumedAvailable();
    if (available.isEmpty()) {
        const QWidget* anchor = window->parentWidget() ? window->parentWidget()->window() : window;
        const QScreen* screen = anchor->screen();
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        if (!screen)
            return QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        available = screen->availableGeometry().size();
    }
    return (available - QSize(0, kTitleBarRoom)).expandedTo(QSize(0, 0));
}

void assumeAvailableSize(const QSize& size) { assumedAvailable() = size; }

void widenWithinScreen(QWidget* control, const QString& text) {
    const QWidget* window = control->window();
    const int spare = qMax(0, screenRoom(window).width() - window->width());
    widenTo(control, qMin(widthForText(control, text), qMax(control->width() + spare, control->minimumWidth())));
}

QString widestItem(const QComboBox* box) {
    QString widest;
    for (int i = 0; i < box->count(); ++i)
        if (box->fontMetrics().horizontalAdvance(box->itemText(i)) > box->fontMetrics().horizontalAdvance(widest))
            widest = box->itemText(i);
    return widest;
}

int heightForText(const QWidget* control) {
    const int line = control->fontMetrics().height();
    QStyle* style = control->style();
    if (qobject_cast<const QAbstractSpinBox*>(control) || qobject_cast<const QComboBox*>(control) ||
        qobject_cast<const QLineEdit*>(control)) {
        // The style's frame and margins around the text field, measured on
        // a tall editor.
        constexpr int kProbe = 100;
        return kProbe - fieldHeight(control, kProbe) + line;
    }
    if (qobject_cast<const QCheckBox*>(control))
        return qMax(line, style->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, control));
    if (qobject_cast<const QRadioButton*>(control))
        return qMax(line, style->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight, nullptr, control));
    if (qobject_cast<const QAbstractButton*>(control))
        return line + 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, control);
    if (auto* label = qobject_cast<const QLabel*>(control))
        return label->wordWrap() ? label->minimumHeight() : label->sizeHint().height();
    return control->minimumSizeHint().height();
}

void fitHeight(QWidget* control) {
    const int need = heightForText(control);
    if (control->minimumHeight() == control->maximumHeight()) {
        if (need > control->maximumHeight())
            control->setFixedHeight(need);
        return;
    }
    if (need > control->maximumHeight())
        control->setMaximumHeight(need);
    if (need > control->minimumHeight())
        control->setMinimumHeight(need);
}

void widenForRows(QAbstractItemView* list) {
    const int rows = list->sizeHintForColumn(0);
    if (rows <= 0)
        return;
    // Rows come from files: a third of the screen's width at most, in which
    // a longer row scrolls.
    const int most = qMax(screenRoom(list->window()).width() / 3, list->minimumWidth());
    const int need = qMin(rows + 2 * list->frameWidth() + list->verticalScrollBar()->sizeHint().width(), most);
    if (list->minimumWidth() == list->maximumWidth()) {
        if (need > list->maximumWidth())
            list->setFixedWidth(need);
    } else if (need > list->minimumWidth()) {
        list->setMinimumWidth(need);
        list->setMaximumWidth(qMax(need, list->maximumWidth()));
    }
}

void fitToFont(QWidget* window) {
    window->ensurePolished();
    const QList<QWidget*> all = window->findChildren<QWidget*>();
    for (QWidget* w : all) {
        if (!isControl(w) || isInnerEditor(w))
            continue;
        const QString widest = widestText(w);
        // A drop-down's items may come from files: the window keeps within
        // its screen, and a longer item shows its start.
        if (qobject_cast<QComboBox*>(w) && !widest.isEmpty())
            widenWithinScreen(w, widest);
        else if (!widest.isEmpty())
            widenFor(w, widest);
        fitHeight(w);
    }
    // Containers from the innermost out: one drawn with a fixed size (a tab
    // widget of the window, say) grows to what its contents need.
    invalidateLayouts(window);
    for (auto it = all.crbegin(); it != all.crend(); ++it) {
        QWidget* w = *it;
        if (w->isWindow() || (!w->layout() && !qobject_cast<QTabWidget*>(w)))
            continue;
        const QSize need = w->minimumSizeHint();
        if (!need.isValid())
            continue;
        w->setMaximumSize(w->maximumSize().expandedTo(need));
        const QSize least = w->minimumSize();
        w->setMinimumSize(QSize(least.width() > 0 ? qMax(least.width(), need.width()) : 0,
                                least.height() > 0 ? qMax(least.height(), need.height()) : 0));
    }
    growNow(window, window->minimumSize(), false);
}

void growToLayout(QWidget* window, const QSize& least) { growLater(window, least, false); }

void fitToLayout(QWidget* window, const QSize& least) { growLater(window, least, true); }

} // namespace fitsize

#include "dialogs/list_enter.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QKeyEvent>

namespace Zuno {

namespace {

class EnterActivates : public QObject {
public:
    explicit EnterActivates(QAbstractItemView* view) : QObject(view), view_(view) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != view_ || event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        const QModelIndex index = view_->currentIndex();
        if (index.isValid())
            emit view_->activated(index);
        return true;
    }

private:
    QAbstractItemView* view_;
};

} // namespace

void keepEnterInList(QAbstractItemView* view) { view->installEventFilter(new EnterActivates(view)); }

} // namespace Zuno

#include "browser/ViewKeys.h"

#include "browser/FindBar.h"
#include "browser/HtmlView.h"
#include "browser/PageZoom.h"

#include <QAction>

namespace {

template <typename Act> void bind(HtmlView& view, const QList<QKeySequence>& keys, Act act) {
    auto* action = new QAction(&view);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(action, &QAction::triggered, &view, act);
    view.addAction(action);
    view.findBar().addAction(action);
}

QList<QKeySequence> keys(std::initializer_list<QKeyCombination> combinations) {
    QList<QKeySequence> sequences;
    for (const QKeyCombination combination : combinations)
        sequences << QKeySequence(combination);
    return sequences;
}

} // namespace

void addViewKeys(HtmlView& view) {
    HtmlView* v = &view;
    bind(view, keys({Qt::CTRL | Qt::Key_F}), [v] { v->findBar().open(); });
    bind(view, keys({Qt::Key_F3}), [v] { v->findBar().findNext(); });
    bind(view, keys({Qt::SHIFT | Qt::Key_F3}), [v] { v->findBar().findPrevious(); });
    bind(view, keys({Qt::Key_Escape}), [v] { v->findBar().dismiss(); });
    bind(view, keys({Qt::CTRL | Qt::Key_P}), [v] { v->printPage(); });
    bind(view, keys({Qt::CTRL | Qt::Key_Plus, Qt::CTRL | Qt::Key_Equal}),
         [v] { v->zoom().zoomIn(); });
    bind(view, keys({Qt::CTRL | Qt::Key_Minus}), [v] { v->zoom().zoomOut(); });
    bind(view, keys({Qt::CTRL | Qt::Key_0}), [v] { v->zoom().reset(); });
    bind(view, keys({Qt::ALT | Qt::Key_Left}), [v] { v->GoBack(); });
    bind(view, keys({Qt::ALT | Qt::Key_Right}), [v] { v->GoForward(); });
}

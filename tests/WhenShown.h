#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

// Runs act on the pop-up menu or modal window of type Window once it is open.
// The call that opens such a window blocks in its own event loop until the
// window closes, so the act is scheduled before that call. Gives up after
// about ten seconds, leaving the test to fail on what the act did not do.
template <typename Window, typename Act>
void whenShown(QObject* context, Act act, int triesLeft = 200) {
    QTimer::singleShot(50, context, [context, act, triesLeft] {
        QWidget* active = QApplication::activePopupWidget();
        if (!active)
            active = QApplication::activeModalWidget();
        if (auto* window = qobject_cast<Window*>(active))
            act(window);
        else if (triesLeft > 0)
            whenShown<Window>(context, act, triesLeft - 1);
    });
}

#include "mdlSubs.h"

#include "HtmlView.h"
#include "PageFiles.h"
#include "frmMain.h"

namespace mdlSubs {

void ShowTopic(const QString& stem) {
    const QString path = catalogue::pagePath(catalogue::dataFolder(), stem);
    const bool created = frmMain::existing() == nullptr;
    frmMain* main = frmMain::instance();
    main->RTFInfo->Navigate(path);
    if (created)
        main->show();
}

} // namespace mdlSubs

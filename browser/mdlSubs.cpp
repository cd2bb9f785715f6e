#include "browser/mdlSubs.h"

#include "browser/HtmlView.h"
#include "catalogue/PageFiles.h"

namespace mdlSubs {

void ShowTopic(HtmlView& view, const QString& dataFolder, const QString& stem) {
    view.Navigate(catalogue::pagePath(dataFolder, stem));
}

} // namespace mdlSubs

#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

// The short Bulgarian pages that the HTML view shows in place of a page it
// cannot or may not show.

// For a page file inside the Data folder that is not there.
QByteArray missingPageHtml(const QString& path);

// For a file inside the Data folder that is there but is no readable page
// (a folder, a pipe, a device, no permission, a kind the view does not show).
QByteArray unreadablePageHtml(const QString& path);

// For an address that leads out of the Data folder.
QByteArray outsidePageHtml();

// For a web address that cannot be loaded: no network, an unknown host, refused, timed out.
QByteArray unreachableSiteHtml(const QUrl& address);

// For a page whose rendering keeps failing.
QByteArray brokenPageHtml();

#pragma once

#include <QByteArray>
#include <QString>

// The short page that the HTML view shows for a page file that is not there.
QByteArray missingPageHtml(const QString& path);

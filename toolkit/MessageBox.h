#pragma once

#include <QString>

class QWidget;

namespace toolkit {

// The application's title, which a message box without a caption of its own carries.
inline constexpr char applicationTitle[] = "Telvane";

// A modal message box with an OK button and no icon; returns once it is dismissed.
void showMessage(QWidget* parent, const QString& text,
                 const QString& caption = QString::fromLatin1(applicationTitle));

} // namespace toolkit

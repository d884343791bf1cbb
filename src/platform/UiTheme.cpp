#include "platform/UiTheme.h"

#include "platform/QtBridge.h"

namespace Ixa::Ui {

QFont UiTheme::Font(int pixelSize, bool bold) { return QtBridge::PixelFont(pixelSize, bold); }

QString UiTheme::StyleSheet()
{
    return QStringLiteral(
        "QWidget { color: white; font-family: 'DejaVu Sans'; font-size: 26px; }"
        "QPushButton { background: #34506e; border: 1px solid #4a6b8f; border-radius: 8px; padding: 4px; }"
        "QPushButton:pressed { background: #3d8bfd; }"
        "QPushButton:disabled { color: #5d6b7c; background: #27364a; }"
        "QCheckBox { spacing: 14px; }"
        "QCheckBox::indicator { width: 34px; height: 34px; border: 2px solid #9aa8b8; border-radius: 6px; background: #1b2430; }"
        "QCheckBox::indicator:checked { background: #3d8bfd; border-color: #3d8bfd; }"
        "QLineEdit, QPlainTextEdit { background: #f4f6f9; color: #111; border: 1px solid #9aa8b8; border-radius: 6px; padding: 2px 8px; selection-background-color: #3d8bfd; }"
        "QLineEdit:focus, QPlainTextEdit:focus { border: 2px solid #3d8bfd; }"
        "QScrollArea { background: transparent; border: none; }"
        "QScrollBar:vertical { width: 6px; background: transparent; }"
        "QScrollBar::handle:vertical { background: #5d6b7c; border-radius: 3px; }"
        "QScrollBar::add-line, QScrollBar::sub-line { height: 0; }");
}

}  // namespace Ixa::Ui

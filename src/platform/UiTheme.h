// The look of the handset: its screen size, the heights of the status strip, header, footer
// and home key, and the colours and text sizes the controls draw with. One place, so every
// control looks the same.
// Thread-safety: constants and pure functions.
#pragma once

#include <QColor>
#include <QFont>

namespace Ixa::Ui {

class UiTheme {
public:
    static constexpr int ScreenShortSide = 480;
    static constexpr int ScreenLongSide = 800;
    static constexpr int StatusHeight = 32;
    static constexpr int HomeBarHeight = 48;
    static constexpr int HeaderHeight = 72;
    static constexpr int FooterHeight = 72;
    static constexpr int KeypadHeight = 300;
    static constexpr int PopupTitleHeight = 64;
    static constexpr int TextSize = 28;
    static constexpr int SmallTextSize = 22;
    static constexpr int TitleTextSize = 32;
    // The face of every text, and the colour face that draws the emoji it lacks.
    static constexpr const char* TextFamily = "DejaVu Sans";
    static constexpr const char* EmojiFamily = "Noto Color Emoji";

    static QColor Background() { return QColor(0x1b, 0x24, 0x30); }
    static QColor Bar() { return QColor(0x27, 0x36, 0x4a); }
    static QColor BarDark() { return QColor(0x16, 0x1e, 0x28); }
    static QColor Row() { return QColor(0x22, 0x2e, 0x3d); }
    static QColor GroupRow() { return QColor(0x2d, 0x3e, 0x54); }
    static QColor RowPressed() { return QColor(0x34, 0x50, 0x6e); }
    static QColor Divider() { return QColor(0x34, 0x43, 0x56); }
    static QColor Accent() { return QColor(0x3d, 0x8b, 0xfd); }
    static QColor Text() { return QColor(0xff, 0xff, 0xff); }
    static QColor SecondaryText() { return QColor(0x9a, 0xa8, 0xb8); }
    static QColor DisabledText() { return QColor(0x5d, 0x6b, 0x7c); }
    static QColor PopupBackground() { return QColor(0x2b, 0x38, 0x49); }
    static QColor Dim() { return QColor(0, 0, 0, 150); }
    static QColor Field() { return QColor(0xf4, 0xf6, 0xf9); }

    static QFont Font(int pixelSize, bool bold = false);
    // The style sheet of the standard Qt widgets behind buttons, check buttons and fields.
    static QString StyleSheet();
};

}  // namespace Ixa::Ui

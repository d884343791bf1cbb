// The two pictures of one emoticon in the picker: the large one shown in the picker's grid and
// the small one inserted into the chat's input panel.
// Threading: user-interface thread. Ownership: borrows both bitmaps; whoever loaded them frees
// them, and a copy borrows the same two.
#pragma once

#include "platform/Bitmap.h"

class EmotIconImage : public Ixa::Base::Object {
public:
    EmotIconImage() = default;
    EmotIconImage(const EmotIconImage& other) = default;
    EmotIconImage& operator=(const EmotIconImage& other) = default;

    void setEmotIconIconList(Ixa::Graphics::Bitmap* bitmap) { iconList_ = bitmap; }
    Ixa::Graphics::Bitmap* getEmotIconIconList() const { return iconList_; }
    void setEmotIconPanel(Ixa::Graphics::Bitmap* bitmap) { panel_ = bitmap; }
    Ixa::Graphics::Bitmap* getEmotIconPanel() const { return panel_; }

private:
    Ixa::Graphics::Bitmap* iconList_ = nullptr;
    Ixa::Graphics::Bitmap* panel_ = nullptr;
};

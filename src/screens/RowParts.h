// The parts that the list rows of the buddy list and the conversations draw alike: pictures
// and texts as row elements, and a contact's avatar.
// Threading: user-interface thread; stateless.
#pragma once

#include "store/Contact.h"

#include "platform/Bitmap.h"
#include "platform/Color.h"
#include "platform/CustomItem.h"
#include "platform/Rectangle.h"
#include "platform/String.h"

class RowParts {
public:
    static const Ixa::Graphics::Color White;
    static const Ixa::Graphics::Color Secondary;

    // Adds the picture as an element and deletes it; null adds nothing.
    static void AddBitmap(Ixa::Ui::Controls::CustomItem& item, const Ixa::Graphics::Rectangle& bounds, int elementId,
        Ixa::Graphics::Bitmap* bitmap);
    // Adds the text in one colour; empty text adds nothing.
    static void AddText(Ixa::Ui::Controls::CustomItem& item, const Ixa::Graphics::Rectangle& bounds, int elementId,
        const Ixa::Base::String& text, int size, const Ixa::Graphics::Color& color);
    // Adds the text on one line as up to three texts side by side, `length` characters from
    // `at` drawn in `matchColor` (elements ids[1]) between the rest (ids[0] and ids[2]); all of
    // it in `color` when `at` is negative.
    static void AddHighlighted(Ixa::Ui::Controls::CustomItem& item, const Ixa::Graphics::Rectangle& line, const int (&ids)[3],
        const Ixa::Base::String& text, int at, int length, int size, const Ixa::Graphics::Color& color,
        const Ixa::Graphics::Color& matchColor);
    // A new picture of the contact's avatar, "no_contacts.png" when it has none.
    static Ixa::Graphics::Bitmap* AvatarN(const Contact& contact);
};

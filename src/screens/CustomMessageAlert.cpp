#include "screens/CustomMessageAlert.h"

#include "screens/TextMetrics.h"

#include "platform/Canvas.h"
#include "platform/Color.h"

#include <memory>
#include <string>

namespace {

constexpr int BoxSize = 44;
constexpr int BoxRight = 420;
constexpr int CountSize = 24;

int digits(int count) { return static_cast<int>(std::to_string(count).size()); }

}  // namespace

int CustomMessageAlert::ExtraWidth(int count)
{
    const int length = digits(count);
    if (length <= 2) {
        return 0;
    }
    return length <= 4 ? 16 * (length - 2) : 10 * (length - 2);
}

Ixa::Graphics::Rectangle CustomMessageAlert::GetBounds(int count, int top)
{
    const int extra = ExtraWidth(count);
    return Ixa::Graphics::Rectangle(BoxRight - extra / 2, top, BoxSize + extra, BoxSize);
}

Ixa::result CustomMessageAlert::AddTo(Ixa::Ui::Controls::CustomItem& row, int boxId, int countId, int count, int top)
{
    const Ixa::Graphics::Rectangle bounds = GetBounds(count, top);
    Ixa::Graphics::Canvas canvas;
    if (Ixa::IsFailed(canvas.Construct(Ixa::Graphics::Rectangle(0, 0, bounds.width, bounds.height)))) {
        return Ixa::E_FAILURE;
    }
    canvas.FillRoundRectangle(Ixa::Graphics::Color(0xe5, 0x39, 0x35), Ixa::Graphics::Rectangle(0, 0, bounds.width, bounds.height),
        Ixa::Graphics::Dimension(BoxSize / 2, BoxSize / 2));
    std::unique_ptr<Ixa::Graphics::Bitmap> box(canvas.GetBitmapN());
    if (box == nullptr) {
        return Ixa::E_FAILURE;
    }
    Ixa::Base::String text;
    text.Append(count);
    const int width = TextMetrics::Width(text, CountSize) + 2;
    const Ixa::Graphics::Rectangle textBounds(bounds.x + (bounds.width - width) / 2, bounds.y, width, bounds.height);
    const Ixa::Graphics::Color white(255, 255, 255);
    Ixa::result outcome = row.AddElement(bounds, boxId, *box);
    if (Ixa::IsSucceeded(outcome)) {
        outcome = row.AddElement(textBounds, countId, text, CountSize, white, white, white);
    }
    return outcome;
}

// The animation of the signing-in popup: frames follow the virtual clock with their own
// durations, the repetitions end after the repeat count with the last frame shown and one
// stop reported, pause and stop behave as the popup needs, and the animation keeps its own
// copies of the pictures, so the screen may delete its frames at once.
#include "support/ScreenDriver.h"
#include "UiTestApp.h"

#include "platform/Animation.h"
#include "platform/AnimationFrame.h"
#include "platform/AppResource.h"
#include "platform/ArrayList.h"

#include <gtest/gtest.h>

#include <memory>

using namespace Ixa;
using namespace Ixa::Ui::Controls;

namespace {

class StopRecorder : public Ui::IAnimationEventListener {
public:
    void OnAnimationStopped(const Ui::Control&) override { ++stops; }
    int stops = 0;
};

class AnimationTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(E_SUCCESS, driver.Launch(&UiTestApp::Create)); }

    // Three frames shown 200, 100 and 300 ms; the screen's frames and pictures are deleted
    // right after the animation is made.
    Animation* AddAnimation()
    {
        Base::Collection::ArrayList frames;
        frames.Construct();
        std::vector<std::unique_ptr<Graphics::Bitmap>> pictures;
        for (long duration : {200L, 100L, 300L}) {
            pictures.push_back(std::make_unique<Graphics::Bitmap>());
            pictures.back()->Construct(Graphics::Dimension(40, 40), Graphics::BITMAP_PIXEL_FORMAT_ARGB8888);
            frames.Add(new AnimationFrame(*pictures.back(), duration));
        }
        auto* animation = new Animation;
        const result made = animation->Construct(Graphics::Rectangle(180, 100, 120, 120), frames);
        frames.RemoveAll(true);
        EXPECT_EQ(E_SUCCESS, made);
        animation->AddAnimationEventListener(recorder);
        UiTestApp::Get().form->AddControl(*animation);
        return animation;
    }

    StopRecorder recorder;
    ScreenDriver driver;
};

TEST_F(AnimationTest, FramesFollowTheVirtualClockAndStopAfterTheRepeatCount)
{
    Animation* animation = AddAnimation();
    ASSERT_EQ(E_SUCCESS, animation->SetRepeatCount(2));
    ASSERT_EQ(E_SUCCESS, animation->Play());
    std::vector<int> shown;
    for (int step : {199, 1, 100, 299, 1, 200, 100, 299}) {
        driver.AdvanceTime(step);
        shown.push_back(animation->GetCurrentFrameIndex());
    }
    EXPECT_EQ((std::vector<int>{0, 1, 2, 2, 0, 1, 2, 2}), shown);
    EXPECT_NE(std::string::npos, driver.Describe().find("Animation \"frame 2 of 3\" (selected)"));
    EXPECT_EQ(0, recorder.stops);
    driver.AdvanceTime(1);
    EXPECT_EQ(ANIMATION_STOPPED, animation->GetStatus());
    EXPECT_EQ(2, animation->GetCurrentRepeatedCount());
    driver.AdvanceTime(5000);
    EXPECT_EQ(2, animation->GetCurrentFrameIndex());
    EXPECT_EQ(1, recorder.stops);
    EXPECT_NE(std::string::npos, driver.Describe().find("Animation \"frame 2 of 3\"\n"));
}

TEST_F(AnimationTest, PauseKeepsTheFrameAndStopStartsOverAndIsReportedOnce)
{
    Animation* animation = AddAnimation();
    ASSERT_EQ(E_SUCCESS, animation->SetRepeatCount(10000));
    animation->Play();
    driver.AdvanceTime(250);
    ASSERT_EQ(E_SUCCESS, animation->Pause());
    driver.AdvanceTime(5000);
    EXPECT_EQ(1, animation->GetCurrentFrameIndex());
    EXPECT_EQ(ANIMATION_PAUSED, animation->GetStatus());
    animation->Play();
    driver.AdvanceTime(99);
    EXPECT_EQ(1, animation->GetCurrentFrameIndex());
    driver.AdvanceTime(1);
    EXPECT_EQ(2, animation->GetCurrentFrameIndex());
    animation->Stop();
    animation->Stop();
    EXPECT_EQ(0, animation->GetCurrentFrameIndex());
    EXPECT_EQ(1, recorder.stops);
    driver.AdvanceTime(5000);
    EXPECT_EQ(0, animation->GetCurrentFrameIndex());
}

TEST_F(AnimationTest, SigningInFramesFromTheResourcesAndWrongFrameListsAreRefused)
{
    Base::Collection::ArrayList frames;
    frames.Construct();
    Animation refused;
    EXPECT_EQ(E_INVALID_ARG, refused.Construct(Graphics::Rectangle(0, 0, 100, 100), frames));
    frames.Add(new Base::String("not a frame"));
    EXPECT_EQ(E_INVALID_ARG, refused.Construct(Graphics::Rectangle(0, 0, 100, 100), frames));
    frames.RemoveAll(true);
    std::vector<std::unique_ptr<Graphics::Bitmap>> pictures;
    for (int i = 0; i < 8; ++i) {
        const std::string name = "progressing0" + std::to_string(i) + "_big.png";
        pictures.emplace_back(App::Application::GetAppResource()->GetBitmapN(name.c_str()));
        ASSERT_NE(nullptr, pictures.back()) << name;
        frames.Add(new AnimationFrame(*pictures.back(), 200));
    }
    auto* animation = new Animation;
    ASSERT_EQ(E_SUCCESS, animation->Construct(Graphics::Rectangle(180, 100, 120, 120), frames));
    frames.RemoveAll(true);
    pictures.clear();
    UiTestApp::Get().form->AddControl(*animation);
    animation->SetRepeatCount(10000);
    animation->Play();
    driver.AdvanceTime(1600);
    EXPECT_EQ(0, animation->GetCurrentFrameIndex());
    EXPECT_EQ(1, animation->GetCurrentRepeatedCount());
    driver.AdvanceTime(1400);
    EXPECT_EQ(7, animation->GetCurrentFrameIndex());
}

}  // namespace

// The legal-notices text box: addresses of the kinds in its auto-link mask become links, a
// tap on one reports its kind and address, and text outside links or with links off reports
// nothing.
#include "support/ScreenDriver.h"
#include "UiTestApp.h"

#include "platform/TextBox.h"

#include <gtest/gtest.h>

using namespace Ixa;
using namespace Ixa::Ui::Controls;

namespace {

class LinkRecorder : public Ui::IUiLinkEventListener {
public:
    void OnLinkClicked(Ui::Control&, const Base::String& text, Graphics::LinkType linkType, const Base::String& link) override
    {
        links.push_back(std::to_string(linkType) + " " + link.ToUtf8() + " " + text.ToUtf8());
    }
    std::vector<std::string> links;
};

class TextBoxTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(E_SUCCESS, driver.Launch(&UiTestApp::Create));
        box = new TextBox;
        ASSERT_EQ(E_SUCCESS, box->Construct(Graphics::Rectangle(20, 40, 440, 200)));
        box->SetText("For more information visit www.example.com/legal today");
        box->AddUiLinkEventListener(recorder);
        UiTestApp::Get().form->AddControl(*box);
        driver.PumpUntilIdle();
    }

    LinkRecorder recorder;
    ScreenDriver driver;
    TextBox* box = nullptr;
};

TEST_F(TextBoxTest, TappedLinkReportsItsKindAndAddress)
{
    ASSERT_EQ(E_SUCCESS, box->SetAutoLinkMask(Graphics::LINK_TYPE_URL));
    driver.PumpUntilIdle();
    EXPECT_NE(std::string::npos, driver.Describe().find("TextBox \"For more information visit www.example.com/legal today\""));
    ASSERT_TRUE(driver.TapTextBoxLink());
    // The top-left corner holds plain text.
    Ui::ScreenProbe::TapAt(Graphics::Point(Ui::ScreenProbe::WindowBounds(*box).x + 14, Ui::ScreenProbe::WindowBounds(*box).y + 14));
    driver.PumpUntilIdle();
    ASSERT_EQ(1u, recorder.links.size());
    EXPECT_EQ(0u, recorder.links[0].rfind("1 ", 0));
    EXPECT_NE(std::string::npos, recorder.links[0].find("www.example.com/legal"));
}

TEST_F(TextBoxTest, LinksFollowTheMaskAndNewText)
{
    EXPECT_FALSE(driver.TapTextBoxLink());
    ASSERT_EQ(E_SUCCESS, box->SetAutoLinkMask(Graphics::LINK_TYPE_EMAIL));
    EXPECT_FALSE(driver.TapTextBoxLink());
    box->SetText("Write to help@example.com");
    driver.PumpUntilIdle();
    ASSERT_TRUE(driver.TapTextBoxLink());
    ASSERT_EQ(1u, recorder.links.size());
    EXPECT_EQ(0u, recorder.links[0].rfind("2 ", 0));
    EXPECT_NE(std::string::npos, recorder.links[0].find("help@example.com"));
    EXPECT_EQ(E_INVALID_ARG, box->SetAutoLinkMask(0x80));
}

}  // namespace

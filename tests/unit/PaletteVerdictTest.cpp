#include "host/PaletteTest.h"
#include "platform/sim/SimulatedDesktop.h"

#include <gtest/gtest.h>

namespace quillmere {
namespace {

using sim::SimulatedDesktop;

class PaletteVerdictTest : public ::testing::Test {
protected:
    PaletteVerdict Judge(WindowHandle window, bool firstScan = false, bool minimised = false) {
        return TestPalette(m_desktop, window, {1000, minimised, firstScan}).Verdict;
    }

    SimulatedDesktop m_desktop;
};

TEST_F(PaletteVerdictTest, AcceptsABorderedVisiblePaletteAndReturnsItsCaption) {
    const WindowHandle layers = m_desktop.AddPalette("Layers", {10, 10, 210, 310});
    const PaletteTestResult result = TestPalette(m_desktop, layers, {1000, false, false});
    EXPECT_EQ(result.Verdict, PaletteVerdict::Palette);
    EXPECT_EQ(result.Caption, "Layers");
}

TEST_F(PaletteVerdictTest, RejectsByClassFrameButtonsAndBorder) {
    const WindowHandle other = m_desktop.Add({"psfloatc", "x", kStyleVisible | kStyleBorder, {}});
    EXPECT_EQ(Judge(other), PaletteVerdict::WrongClass) << "class names compare case-sensitively";

    const WindowHandle dialog = m_desktop.Add(
        {"PSFloatC", "d", kStyleVisible | kStyleBorder | kStyleDlgFrame, {0, 0, 100, 100}});
    EXPECT_EQ(Judge(dialog), PaletteVerdict::DialogFrame);

    const WindowHandle buttoned = m_desktop.AddPalette("b", {0, 0, 100, 100});
    m_desktop.AddChild(buttoned, "Button", {0, 0, 10, 10});
    EXPECT_EQ(Judge(buttoned), PaletteVerdict::HasButton);

    const WindowHandle viewer = m_desktop.AddPalette("v", {0, 0, 100, 100});
    const WindowHandle view = m_desktop.AddChild(viewer, "PSViewC", {0, 0, 50, 50});
    m_desktop.AddChild(view, "Button", {0, 0, 10, 10});
    EXPECT_EQ(Judge(viewer), PaletteVerdict::ViewHasButton);

    const WindowHandle plainView = m_desktop.AddPalette("pv", {0, 0, 100, 100});
    m_desktop.AddChild(plainView, "PSViewC", {0, 0, 50, 50});
    EXPECT_EQ(Judge(plainView), PaletteVerdict::Palette) << "a view without a button is fine";

    const WindowHandle borderless = m_desktop.Add({"PSFloatC", "n", kStyleVisible, {0, 0, 9, 9}});
    EXPECT_EQ(Judge(borderless), PaletteVerdict::NoBorder);
}

TEST_F(PaletteVerdictTest, WidthMayBeExactlyHalfTheHost) {
    EXPECT_EQ(Judge(m_desktop.AddPalette("half", {0, 0, 500, 50})), PaletteVerdict::Palette);
    EXPECT_EQ(Judge(m_desktop.AddPalette("wide", {0, 0, 501, 50})), PaletteVerdict::TooWide);
}

TEST_F(PaletteVerdictTest, HostCaptionIsRejectedLast) {
    const WindowHandle named = m_desktop.AddPalette("Adobe Photoshop", {0, 0, 100, 100});
    EXPECT_EQ(Judge(named), PaletteVerdict::HostCaption);
    const WindowHandle close = m_desktop.AddPalette("Adobe Photoshop ", {0, 0, 100, 100});
    EXPECT_EQ(Judge(close), PaletteVerdict::Palette);
}

TEST_F(PaletteVerdictTest, MinimisedHostLetsOnlyTheFirstScanTakeHiddenAndWidePalettes) {
    const WindowHandle hidden =
        m_desktop.Add({"PSFloatC", "h", kStyleBorder | kStylePopup, {0, 0, 100, 100}});
    const WindowHandle wide = m_desktop.AddPalette("w", {0, 0, 900, 100});

    EXPECT_EQ(Judge(hidden, true, true), PaletteVerdict::Palette);
    EXPECT_EQ(Judge(wide, true, true), PaletteVerdict::Palette);

    EXPECT_EQ(Judge(hidden, false, true), PaletteVerdict::Invisible);
    EXPECT_EQ(Judge(wide, false, true), PaletteVerdict::TooWide);
    EXPECT_EQ(Judge(hidden, true, false), PaletteVerdict::Invisible);
    EXPECT_EQ(Judge(wide, true, false), PaletteVerdict::TooWide);
}

} // namespace
} // namespace quillmere

// Presenting the frame: the one-time clear, stretched or plain copies, and
// nothing without a window.
#include "sim/present.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "sim/world.h"

namespace qm {
namespace {

class RecordingPresenter final : public Presenter {
public:
    std::string calls;
    int horzres() const override { return 1024; }
    int vertres() const override { return 768; }
    void clear(int width, int height) override { calls += "clear " + size(width, height) + ";"; }
    void copy(const Surface&) override { calls += "copy;"; }
    void stretch(const Surface&, int width, int height) override { calls += "stretch " + size(width, height) + ";"; }

private:
    static std::string size(int width, int height) { return std::to_string(width) + "x" + std::to_string(height); }
};

TEST(Present, UnscaledModeClearsOnceThenCopies)
{
    auto w = std::make_unique<World>();
    RecordingPresenter window;
    w->cliente = &window;
    w->stretch = 0;
    w->DevCap_X = 800;
    w->DevCap_Y = 600;
    present(*w);
    present(*w);
    EXPECT_EQ(window.calls, "clear 800x600;copy;copy;");
    EXPECT_EQ(w->temp_stretch, 0);
}

TEST(Present, StretchedModeNeverClears)
{
    auto w = std::make_unique<World>();
    RecordingPresenter window;
    w->cliente = &window;
    w->DevCap_X = 1920;
    w->DevCap_Y = 1080;
    present(*w);
    present(*w);
    EXPECT_EQ(window.calls, "stretch 1920x1080;stretch 1920x1080;");
}

TEST(Present, WithoutAWindowNothingHappens)
{
    auto w = std::make_unique<World>();
    w->stretch = 0;
    present(*w);
    EXPECT_EQ(w->temp_stretch, 1);
}

}  // namespace
}  // namespace qm

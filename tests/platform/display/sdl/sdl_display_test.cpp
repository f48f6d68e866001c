#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>

#include "display/sdl/sdl_display.h"

namespace {

void forget_every_display()
{
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("SDL_VIDEODRIVER");
}

}  // namespace

TEST(DesktopDisplayChoice, NoDisplayNamedMeansNoDesktop)
{
    forget_every_display();
    EXPECT_FALSE(qz370::sdl::use());
}

// SDL falls back to its screenless driver when the named display cannot be
// reached; a game nobody can see must not start.
TEST(DesktopDisplayChoice, AnUnreachableDisplayMeansNoDesktop)
{
    forget_every_display();
    setenv("DISPLAY", ":4242", 1);
    EXPECT_FALSE(qz370::sdl::use());
    EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u);
}

TEST(DesktopDisplayChoice, AScreenlessDriverAskedForByNameIsUsed)
{
    forget_every_display();
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    EXPECT_TRUE(qz370::sdl::use());
    EXPECT_STREQ(SDL_GetCurrentVideoDriver(), "offscreen");
    SDL_Quit();
}

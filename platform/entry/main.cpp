// Placeholder until the program's start-up lands.
#include <windows.h>

int main()
{
    return WinMain(nullptr, nullptr, nullptr, SW_SHOWNORMAL);
}

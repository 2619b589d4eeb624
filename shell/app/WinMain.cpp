#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    MessageBoxA(nullptr, "Quillery Pro is being built.", "Quillery Pro", MB_OK | MB_ICONINFORMATION);
    return 0;
}

// The program's entry point: the framework runs the application object.
#include "Framework.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int showCommand) {
  return AfxWinMain(instance, previous, commandLine, showCommand);
}

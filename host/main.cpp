// import-layout-template: shows the Import Layout Template dialog as the host
// application does and prints the chosen template's path.
#include "Host.h"

int main(int argc, char** argv) { return ilt::RunHost(std::vector<std::string>(argv + 1, argv + argc)); }

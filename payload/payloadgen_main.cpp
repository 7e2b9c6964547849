// payloadgen: turns a product tree into the installer's payload table (see payloadgen_cli.h).
#include <iostream>
#include <string>
#include <vector>

#include "payload/payloadgen_cli.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return RunPayloadgen(args, std::cout, std::cerr);
}

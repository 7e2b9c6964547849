// The payloadgen command: builds the payload table of a product tree and writes the generated
// source, the blob and a depfile, or lists the table it would build.
#ifndef CIRVANE_PAYLOAD_PAYLOADGEN_CLI_H_
#define CIRVANE_PAYLOAD_PAYLOADGEN_CLI_H_

#include <ostream>
#include <string>
#include <vector>

// Exit statuses of payloadgen.
constexpr int kPayloadgenOk = 0;
constexpr int kPayloadgenRefused = 1;  // the tree or list cannot become a table, or a write failed
constexpr int kPayloadgenUsage = 2;    // the command line is wrong

constexpr char kPayloadgenUsageText[] =
    "usage: payloadgen --tree DIR --readonly LIST --out DIR [--depfile FILE]\n"
    "       payloadgen --list --tree DIR --readonly LIST\n";

// Runs payloadgen with `args` (the program name left out), printing the listing to `out` and
// messages to `err`. Returns one of the exit statuses above.
int RunPayloadgen(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

#endif  // CIRVANE_PAYLOAD_PAYLOADGEN_CLI_H_

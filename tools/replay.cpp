// tuvo-replay: runs a click script on standard input against the
// conversions, from a freshly opened window, and prints the window after
// every click, one line each. A malformed line stops the run with a message
// naming it and exit status 2.

#include "tools/clicks.h"

#include <iostream>
#include <string>

int main()
{
    std::ios::sync_with_stdio(false);
    tuvo::WindowModel window;
    window.text1 = U"16"; // as the window opens
    window.text2 = U"XVI";
    tuvo::Form1State state;
    std::string bytes;
    for (long long lineNumber = 1; std::getline(std::cin, bytes); ++lineNumber) {
        try {
            if (tuvo::clicks::run(tuvo::clicks::decodeUtf8(bytes), window, state))
                std::cout << tuvo::clicks::encodeUtf8(tuvo::clicks::describe(window) + U'\n');
        } catch (const tuvo::clicks::Malformed &malformed) {
            std::cout.flush();
            std::cerr << "tuvo-replay: line " << lineNumber << ": " << malformed.reason << '\n';
            return 2;
        }
    }
    return 0;
}

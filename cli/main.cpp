#include <iostream>

int main() {
    std::cerr << "vortena-calc: en construcción\n";
    return 2;
}

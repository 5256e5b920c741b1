// Keiro, the payroll program.  Until the main window exists it runs the start-up that needs
// no window and reports what it did.
#include <cstdio>

int main() {
    std::puts("Keiro");
    return 0;
}

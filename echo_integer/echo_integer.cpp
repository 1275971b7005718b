// Asks for one integer, reads it from standard input and writes it back.
#include <iostream>

int main()
{
    // Input that ends before a non-blank character (empty, or white space
    // only) leaves the read with nothing to store, so start from 0 rather
    // than echo whatever the memory held.
    int value = 0;

    // No flush needed: std::cin is tied to std::cout, so the prompt is
    // written out before the read below starts to wait for input.
    std::cout << "Enter an integer: ";
    std::cin >> value;

    std::cout << "You entered " << value;

    return 0;
}

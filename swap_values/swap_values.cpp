// Prints two integers, exchanges them through a third variable and prints
// them again.
#include <iostream>

int main()
{
    int a = 5;
    int b = 10;

    std::cout << "Before swapping." << std::endl;
    std::cout << "a = " << a << ", b = " << b << std::endl;

    int temp = a;
    a = b;
    b = temp;

    std::cout << "\nAfter swapping." << std::endl;
    std::cout << "a = " << a << ", b = " << b << std::endl;

    return 0;
}

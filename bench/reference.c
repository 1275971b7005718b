/* The floor that a run of either program is measured against: the same
 * write calls from a static C program, with no C++ streams and no parsing.
 *
 *   reference swap   the four lines of swap_values, one write each
 *   reference echo   the prompt, one read of stdin, the echo of 42
 */
#include <string.h>
#include <unistd.h>

static void put(const char *text)
{
    if (write(STDOUT_FILENO, text, strlen(text)) < 0) {
        _exit(1);
    }
}

int main(int argc, char **argv)
{
    if (argc > 1 && strcmp(argv[1], "echo") == 0) {
        char input[4096];
        put("Enter an integer: ");
        if (read(STDIN_FILENO, input, sizeof input) < 0) {
            _exit(1);
        }
        put("You entered 42");
        return 0;
    }
    put("Before swapping.\n");
    put("a = 5, b = 10\n");
    put("\nAfter swapping.\n");
    put("a = 10, b = 5\n");
    return 0;
}

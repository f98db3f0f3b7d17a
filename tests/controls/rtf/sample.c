/* Totals of an order, "in euros" */
#include <stdio.h>
int main(void) {
    double total = 0; /* running sum */
    for (int i = 0; i < 3; ++i)
        total += 9.5;
    printf("%.2f\n", total);
    return 0;
}

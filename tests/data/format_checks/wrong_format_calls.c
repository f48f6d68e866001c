/* One call of a printf-style operation whose argument does not match its
 * format, chosen by defining WRONG_CALL_ and the operation's name: the
 * compiler must refuse each of them. */
#include "qz370.h"

void call_with_a_wrong_argument(void)
{
#if defined(WRONG_CALL_print)
    QZ370_print("%s\n", 42);
#elif defined(WRONG_CALL_text_printf)
    QZ370_text_printf(0, 0, 0, 12, "%d", "text");
#elif defined(WRONG_CALL_text_printf_pt)
    Point p = {0, 0};
    QZ370_text_printf_pt(0, p, 12, "%s", 1.5);
#endif
}

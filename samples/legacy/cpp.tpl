readme:
Autotext and Code Templates for Quillon X

caretPosChar:
|

readme:
Code Templates follow. All entry names contain a space.

readme:
A loop over the selection's range

for loop:
for (int i = 0; i < %1; ++i) {
    |
}
file header:
// %FILE% written on %DATE%
// |
readme:
AutoText follows. None of the entry names contain a space.

fori:
for (int i = 0; i < %1; ++i) { %0| }
tryc:
try {
    %0
} catch (...) {
    |
}

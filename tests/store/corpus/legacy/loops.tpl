caretPosChar:
|

readme:
Autotext and Code Templates for Quillon X
Loop

for loop:
for (%1;;) { | %DATE% }
fori:
x
separator


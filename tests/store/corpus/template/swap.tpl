readme:
Swap two values

a:swap values:swp:
int t = a;
a = b;

a::fori:
for (int i = 0; i < $n$; ++i) {
    $end$
}
a:Title only::

separator

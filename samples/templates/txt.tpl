readme:
Today's date, written out.

a:date stamp:ds:
$DAYNAME$, $DAY$ $MONTHNAME$ $YEAR$
a:signature:sig:
Best regards,
$name$
a:paste clipboard:clip:
$clipboard$

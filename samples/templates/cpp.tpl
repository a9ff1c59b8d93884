readme:
A counting loop.
Asks for the counter name and the number of rounds.

a:for loop:fori:
for (int $i$ = 0; $i$ < $count$; ++$i$) {
    $end$
}
readme:
A class with constructor and destructor.

a:class declaration:cls:
class $ClassName$ {
public:
    $ClassName$();
    ~$ClassName$();

private:
    $end$
};
a:include guard:guard:
#ifndef $FILE_BASE_UPPER$_H
#define $FILE_BASE_UPPER$_H

$end$

#endif // $FILE_BASE_UPPER$_H
readme:
Comment block for the top of a new file.

a:file header::
// $FILE$
// Created $DATE$ at $HOUR$:$MINUTE$
// $end$
a:wrap in try/catch:try:
try {
    $selected$
} catch (const std::exception& error) {
    $end$
}
a:main function:main:
int main(int argc, char* argv[])
{
    $end$
    return 0;
}

a:main method:psvm:
public static void main(String[] args) {
    $end$
}
a:print line:sout:
System.out.println($selected$$end$);
readme:
Accessor pair for a field.

a:getter and setter:gs:
public $Type$ get$Name$() {
    return $field$;
}

public void set$Name$($Type$ value) {
    this.$field$ = value;
}

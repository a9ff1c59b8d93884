readme:
An auto-implemented property.

a:property:prop:
public $Type$ $Name$ { get; set; }$end$
a:foreach loop:fe:
foreach (var $item$ in $collection$)
{
    $end$
}
a:using block:using:
using (var $resource$ = $selected$)
{
    $end$
}
a:namespace:ns:
namespace $Namespace$
{
    $end$
}

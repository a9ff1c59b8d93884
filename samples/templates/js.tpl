a:function:fn:
function $name$($parameters$) {
    $end$
}
a:arrow function:af:
const $name$ = ($parameters$) => {
    $end$
};
a:console log:log:
console.log($selected$$end$);
readme:
Adds an event listener to an element.

a:event listener:on:
$element$.addEventListener('$event$', (event) => {
    $end$
});

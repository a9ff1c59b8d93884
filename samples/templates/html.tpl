readme:
A complete HTML5 page.

a:page skeleton:html5:
<!DOCTYPE html>
<html lang="en">
<head>
    <meta charset="utf-8">
    <title>$title$</title>
</head>
<body>
    $end$
</body>
</html>
a:link:a:
<a href="$url$">$selected$$end$</a>
a:table:table:
<table>
    <tr>
        <th>$heading$</th>
    </tr>
    <tr>
        <td>$end$</td>
    </tr>
</table>
a:unordered list:ul:
<ul>
    <li>$end$</li>
</ul>
a:image:img:
<img src="$source$" alt="$description$">
readme:
Comments out the selection.

a:comment::
<!-- $selected$$end$ -->
a:stylesheet link:css:
<link rel="stylesheet" href="$file$.css">

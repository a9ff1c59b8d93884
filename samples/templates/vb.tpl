a:sub:sub:
Private Sub $Name$()
    $end$
End Sub
a:function:func:
Private Function $Name$() As $Type$
    $end$
End Function
a:if block:if:
If $condition$ Then
    $end$
End If
a:for loop:for:
For $i$ = 1 To $count$
    $end$
Next $i$

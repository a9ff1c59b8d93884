a:subroutine:sub:
sub $name$ {
    my ($args$) = @_;
    $end$
}
a:open file:open:
open(my $fh, '<', $file$) or die "Cannot open $file$: $!";
$end$
close($fh);
a:foreach:fe:
foreach my $item (@$list$) {
    $end$
}

set f [open lines.txt r]
set count 0
set total 0
while {[gets $f line] >= 0} {
    incr count
    incr total [string length $line]
}
close $f
puts "$count $total"

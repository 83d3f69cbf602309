set n 100000
set a [lrepeat $n 0]
set i 1
while {$i <= $n} {
    lset a [expr {$i - 1}] $i
    incr i
}
set sum 0
set i 1
while {$i <= $n} {
    set sum [expr {$sum + [lindex $a [expr {$i - 1}]]}]
    incr i
}
puts $sum

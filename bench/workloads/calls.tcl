proc inc {x} {
    return [expr {$x + 1}]
}
set i 0
while {$i != 100000} {
    set i [inc $i]
}
puts $i

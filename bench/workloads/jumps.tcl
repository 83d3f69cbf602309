set i 0
while 1 {
    incr i
    if {$i < 1000000} continue
    break
}
puts $i

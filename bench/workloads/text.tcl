set text "kestrel reads every line again. "
for {set k 0} {$k < 15} {incr k} {
    append text $text
}
for {set round 0} {$round < 10} {incr round} {
    set position -4
    for {set k 0} {$k < 30000} {incr k} {
        set position [string first line $text [expr {$position + 4}]]
    }
    set count [regexp -all in $text]
    set replaced [string map {every each} $text]
    set length [string length $replaced]
}
puts "[expr {$position + 1}] $count $length"

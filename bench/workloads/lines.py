count = 0
total = 0
with open("lines.txt") as f:
    for line in f:
        count += 1
        total += len(line.rstrip("\r\n"))
print(count, total)

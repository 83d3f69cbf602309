n = 100000
a = [0] * n
i = 1
while i <= n:
    a[i - 1] = i
    i += 1
total = 0
i = 1
while i <= n:
    total += a[i - 1]
    i += 1
print(total)

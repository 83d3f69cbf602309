def inc(x):
    return x + 1

i = 0
while i != 100000:
    i = inc(i)
print(i)

i = 0
while True:
    i += 1
    if i < 1000000:
        continue
    break
print(i)

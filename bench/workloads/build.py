s = ""
i = 0
while i != 100000:
    s += "x"
    i += 1
print(len(s))

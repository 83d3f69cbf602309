text = "kestrel reads every line again. "
for _ in range(15):
    text += text
for _ in range(10):
    position = -1
    for _ in range(30000):
        position = text.find("line", position + len("line"))
    count = text.count("in")
    replaced = text.replace("every", "each")
    length = len(replaced)
print(position + 1, count, length)

-- Counting the words and the letters of a text character by character: a text of 20000
-- copies of "the quick brown fox jumps over the lazy dog " is scanned 10 times; a space
-- ends a word, and every letter adds one to its count in a table of 26. Prints the count
-- of words plus the count of the letter e: 1800000 + 600000 = 2400000.
local text = string.rep("the quick brown fox jumps over the lazy dog ", 20000)
local words = 0
local letters = {}
for i = 0, 25 do letters[i] = 0 end
for round = 1, 10 do
    local inWord = 0
    for i = 1, #text do
        local ch = text:byte(i)
        if ch == 32 then
            inWord = 0
        else
            if inWord == 0 then
                words = words + 1
                inWord = 1
            end
            letters[ch - 97] = letters[ch - 97] + 1
        end
    end
end
print(words + letters[4])

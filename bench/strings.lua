-- 20 rounds of building a string from 100000 pieces "ab,", counting "b," and
-- splitting at ','. Prints 4000000.
local total = 0
for round = 1, 20 do
    local pieces = {}
    for i = 1, 100000 do pieces[i] = "ab," end
    local s = table.concat(pieces)
    local count = 0
    for _ in s:gmatch("b,") do count = count + 1 end
    local parts = {}
    for piece in s:gmatch("[^,]+") do parts[#parts + 1] = piece end
    total = total + count + #parts
end
print(total)

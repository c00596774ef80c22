-- The placements of 11 queens on an 11 x 11 board by recursive backtracking, counted 10
-- times: place(row, cols, up, down) tries each column of the row that no queen attacks
-- along its column or diagonals, marks it in three flag tables, counts the placements of
-- the rows below, and unmarks it. Prints 26800.
local N = 11
local function place(row, cols, up, down)
    local count = 0
    for c = 0, N - 1 do
        if cols[c] == 0 and up[row + c] == 0 and down[row - c + N - 1] == 0 then
            if row == N - 1 then
                count = count + 1
            else
                cols[c] = 1
                up[row + c] = 1
                down[row - c + N - 1] = 1
                count = count + place(row + 1, cols, up, down)
                cols[c] = 0
                up[row + c] = 0
                down[row - c + N - 1] = 0
            end
        end
    end
    return count
end
local total = 0
for round = 1, 10 do
    local cols, up, down = {}, {}, {}
    for i = 0, N - 1 do cols[i] = 0 end
    for i = 0, 2 * N - 2 do up[i] = 0; down[i] = 0 end
    total = total + place(0, cols, up, down)
end
print(total)

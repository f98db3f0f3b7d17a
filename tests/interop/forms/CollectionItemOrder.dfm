object OrderedItems: TOrderedItems
  Columns = <
    item [0]
      Caption = 'first'
    end
    item
      Caption = 'unordered'
    end
    item [2]
      Caption = 'third'
      Sub = <
        item [300]
          Width = 10
        end
        item [70000]
        end>
    end
    item [-1]
      Caption = 'negative'
    end>
end

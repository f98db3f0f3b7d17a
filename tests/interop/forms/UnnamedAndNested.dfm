object Root: TRoot
  object TTimer
  end
  object TPopupMenu
    AutoPopup = False
    object TMenuItem
      Caption = 'unnamed item'
    end
  end
  object Named: TNamed
    object TInnerAnon
      Tag = 1
    end
  end
  object Level1: TPanel
    Tag = 1
    object Level2: TPanel
      Tag = 2
      object Level3: TPanel
        Tag = 3
        object Level4: TPanel
          Tag = 4
          object Level5: TPanel
            Tag = 5
            object Level6: TPanel
              Tag = 6
              object Level7: TPanel
                Tag = 7
                object Level8: TPanel
                  Tag = 8
                  object Level9: TPanel
                    Tag = 9
                    object Level10: TPanel
                      Tag = 10
                      object Level11: TPanel
                        Tag = 11
                        object Level12: TPanel
                          Tag = 12
                          object Level13: TPanel
                            Tag = 13
                            object Level14: TPanel
                              Tag = 14
                              object Level15: TPanel
                                Tag = 15
                                object Level16: TPanel
                                  Tag = 16
                                  object Level17: TPanel
                                    Tag = 17
                                    object Level18: TPanel
                                      Tag = 18
                                      object Level19: TPanel
                                        Tag = 19
                                        object Level20: TPanel
                                          Tag = 20
                                          object Level21: TPanel
                                            Tag = 21
                                            object Level22: TPanel
                                              Tag = 22
                                              object Level23: TPanel
                                                Tag = 23
                                                object Level24: TPanel
                                                  Tag = 24
                                                end
                                              end
                                            end
                                          end
                                        end
                                      end
                                    end
                                  end
                                end
                              end
                            end
                          end
                        end
                      end
                    end
                  end
                end
              end
            end
          end
        end
      end
    end
  end
end
